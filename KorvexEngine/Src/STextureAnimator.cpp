#include "STextureAnimator.h"

#include "SDeserializator.h"
#include "SSerializator.h"
#include "STextureManager.h"
#include "srethrow.h"

namespace SCore {

namespace {

const char* const kSourcePath = ".\\Src\\STextureAnimator";

}  // namespace

STextureAnimator::STextureAnimator(const std::string& name, TextureAnimatorType type) : SAnimator(name), Type(type) {}

void STextureAnimator::DoUpdate(DWORD elapsedMilliseconds) {
  KORVEX_TRY
    if (!TransformsReady) {
      CalculateTransforms();
      TransformsReady = true;
    }
    DoAnimate(float(double(elapsedMilliseconds) * 0.001));
  KORVEX_RETHROW("STextureAnimator::DoUpdate()", kSourcePath)
}

void STextureAnimator::SetTexture(const boost::shared_ptr<STexture>& texture) {
  KORVEX_TRY
    Texture = texture;
  KORVEX_RETHROW("STextureAnimator::SetTexture()", kSourcePath)
}

STexture& STextureAnimator::RequireTexture() const {
  if (!Texture) throw KorvexCoreException(("texture animator has no texture:" + Name).c_str());
  return *Texture;
}

void STextureAnimator::BeginAnimationElement(SSerializator& serializator) {
  const std::string textureName = RequireTexture().GetName();
  serializator.DoBeginChild("Animation");
  serializator.DoSerialize("Name", Name);
  serializator.DoSerialize("Type", TextureAnimatorTypeToString(Type));
  serializator.DoSerialize("TextureName", textureName);
}

void STextureAnimator::ReadNames(SDeserializator& deserializator, std::string& name, std::string& textureName) {
  deserializator.DoDeserialize("Name", name);
  deserializator.DoDeserialize("TextureName", textureName);
}

void STextureAnimator::FinishReading(SDeserializator& deserializator,
                                     const boost::shared_ptr<STextureManager>& textureManager,
                                     const std::string& name, const std::string& textureName) {
  deserializator.DoEndChild();
  Texture = textureManager->GetTexture(textureName);
  Name = name;
}

}  // namespace SCore
