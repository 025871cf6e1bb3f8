#include "STextureAnimatorFloating.h"

#include "SDeserializator.h"
#include "SSerializator.h"
#include "STextureManager.h"
#include "srethrow.h"

namespace SCore {

namespace {

const char* const kSourcePath = ".\\Src\\STextureAnimatorFloating";

}  // namespace

STextureAnimatorFloating::STextureAnimatorFloating() : STextureAnimator("UNKNOWN", FLOATING) {}

void STextureAnimatorFloating::DoAnimate(float seconds) {
  const float distance = AnimationSpeed * seconds;
  SMatrix& transform = RequireTexture().Transform;
  transform = SMatrix();
  transform.f11 = transform.f22 = transform.f33 = transform.f44 = 1.0f;
  transform.f31 = StepAlong(kTowardsPlusU, kTowardsMinusU) * distance;
  transform.f32 = StepAlong(kTowardsPlusV, kTowardsMinusV) * distance;
}

float STextureAnimatorFloating::StepAlong(unsigned int plus, unsigned int minus) const {
  return ((Style & plus) != 0 ? Step : 0.0f) - ((Style & minus) != 0 ? Step : 0.0f);
}

void STextureAnimatorFloating::DoSerialize(SSerializator& serializator) {
  KORVEX_TRY
    BeginAnimationElement(serializator);
    serializator.DoSerialize("Style", Style);
    serializator.DoSerialize("Step", Step);
    serializator.DoSerialize("AnimationSpeed", AnimationSpeed);
    serializator.DoEndChild();
  KORVEX_RETHROW("STextureAnimatorFloating::DoSerialize()", kSourcePath)
}

void STextureAnimatorFloating::DoDeserialize(SDeserializator& deserializator,
                                             const boost::shared_ptr<STextureManager>& textureManager) {
  KORVEX_TRY
    deserializator.DoBeginChild("Animation");
    ReadEnteredElement(deserializator, textureManager);
  KORVEX_RETHROW("STextureAnimatorFloating::DoDeserialize()", kSourcePath)
}

void STextureAnimatorFloating::DoDeserialize(SDeserializator& deserializator, unsigned int index,
                                             const boost::shared_ptr<STextureManager>& textureManager) {
  KORVEX_TRY
    deserializator.DoBeginChild(index);
    ReadEnteredElement(deserializator, textureManager);
  KORVEX_RETHROW("STextureAnimatorFloating::DoDeserialize()", kSourcePath)
}

void STextureAnimatorFloating::ReadEnteredElement(SDeserializator& deserializator,
                                                  const boost::shared_ptr<STextureManager>& textureManager) {
  std::string name;
  std::string textureName;
  ReadNames(deserializator, name, textureName);
  deserializator.DoDeserialize("Style", Style);
  deserializator.DoDeserialize("Step", Step);
  deserializator.DoDeserialize("AnimationSpeed", AnimationSpeed);
  FinishReading(deserializator, textureManager, name, textureName);
}

}  // namespace SCore
