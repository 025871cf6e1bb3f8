#include "STextureAnimator.h"

#include "SDeserializator.h"
#include "SSerializator.h"
#include "STextureManager.h"
#include "srethrow.h"

namespace SCore {

namespace {

const char* const kSourcePath = ".\\Src\\STextureAnimator";

std::string KindContext(const char* kind, const char* operation) {
  return std::string(kind) + "::" + operation + "()";
}

std::string KindSourcePath(const char* kind) { return std::string(".\\Src\\") + kind; }

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

void STextureAnimator::DoSerialize(SSerializator& serializator) {
  KORVEX_TRY
    const std::string textureName = RequireTexture().GetName();
    serializator.DoBeginChild("Animation");
    serializator.DoSerialize("Name", Name);
    serializator.DoSerialize("Type", TextureAnimatorTypeToString(Type));
    serializator.DoSerialize("TextureName", textureName);
    SerializeOwnValues(serializator);
    serializator.DoEndChild();
  KORVEX_RETHROW(KindContext(KindName(), "DoSerialize").c_str(), KindSourcePath(KindName()).c_str())
}

void STextureAnimator::DoDeserialize(SDeserializator& deserializator,
                                     const boost::shared_ptr<STextureManager>& textureManager) {
  DeserializeAnimation(deserializator, nullptr, textureManager);
}

void STextureAnimator::DoDeserialize(SDeserializator& deserializator, unsigned int index,
                                     const boost::shared_ptr<STextureManager>& textureManager) {
  DeserializeAnimation(deserializator, &index, textureManager);
}

void STextureAnimator::DeserializeAnimation(SDeserializator& deserializator, const unsigned int* index,
                                            const boost::shared_ptr<STextureManager>& textureManager) {
  KORVEX_TRY
    BeginAnimationChild(deserializator, index);
    std::string name;
    std::string textureName;
    deserializator.DoDeserialize("Name", name);
    deserializator.DoDeserialize("TextureName", textureName);
    DeserializeOwnValues(deserializator);
    deserializator.DoEndChild();
    Texture = textureManager->GetTexture(textureName);
    Name = name;
    // The frame animator's cells depend on the texture's size.
    CalculateTransforms();
  KORVEX_RETHROW(KindContext(KindName(), "DoDeserialize").c_str(), KindSourcePath(KindName()).c_str())
}

void STextureAnimator::BeginAnimationChild(SDeserializator& deserializator, const unsigned int* index) {
  if (index != nullptr) {
    deserializator.DoBeginChild(*index);
  } else {
    deserializator.DoBeginChild("Animation");
  }
}

}  // namespace SCore
