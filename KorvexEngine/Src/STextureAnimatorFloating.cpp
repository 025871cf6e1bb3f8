#include "STextureAnimatorFloating.h"

#include "SDeserializator.h"
#include "SSerializator.h"

namespace SCore {

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

void STextureAnimatorFloating::SerializeOwnValues(SSerializator& serializator) {
  serializator.DoSerialize("Style", Style);
  serializator.DoSerialize("Step", Step);
  serializator.DoSerialize("AnimationSpeed", AnimationSpeed);
}

void STextureAnimatorFloating::DeserializeOwnValues(SDeserializator& deserializator) {
  deserializator.DoDeserialize("Style", Style);
  deserializator.DoDeserialize("Step", Step);
  deserializator.DoDeserialize("AnimationSpeed", AnimationSpeed);
}

}  // namespace SCore
