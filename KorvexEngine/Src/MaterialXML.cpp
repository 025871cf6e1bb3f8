#include "MaterialXML.h"

#include "CreateTextureAnimator.h"
#include "SDeserializator.h"
#include "SSerializator.h"
#include "STextureManager.h"

#include <vector>

namespace SCore {

namespace {

// The names and fields of one texture stage of a material.
struct MaterialStage {
  const char* textureName;
  const char* filtrationName;
  boost::shared_ptr<STexture>& texture;
  boost::shared_ptr<STextureFiltration>& filtration;
  boost::shared_ptr<STextureAnimator>& animator;
};

MaterialStage Stage1(SMaterial& material) {
  return {"Texture1", "Filtration1", material.Texture1, material.Filtration1, material.Animator1};
}

MaterialStage Stage2(SMaterial& material) {
  return {"Texture2", "Filtration2", material.Texture2, material.Filtration2, material.Animator2};
}

template <typename Visit>
void ForEachRenderState(SMaterial& material, Visit&& visit) {
  visit("CullMode", material.CullMode);
  visit("FillMode", material.FillMode);
  visit("AlphaBlend", material.AlphaBlend);
  visit("SrcBlend", material.SrcBlend);
  visit("DstBlend", material.DstBlend);
  visit("ZWrite", material.ZWrite);
  visit("Lighting", material.Lighting);
  visit("IsFogEnable", material.IsFogEnable);
}

// A stage's filtration and animator are written only with its texture.
void SerializeStage(const MaterialStage& stage, SSerializator& serializator) {
  if (!stage.texture) return;
  serializator.DoSerialize(stage.textureName, stage.texture->GetName());
  if (stage.filtration) serializator.DoSerialize(stage.filtrationName, *stage.filtration);
  if (stage.animator) stage.animator->DoSerialize(serializator);
}

// The positions of the "Animation" children of the current element, in document order.
std::vector<unsigned int> AnimationChildren(SDeserializator& deserializator) {
  std::vector<unsigned int> found;
  const unsigned int count = deserializator.DoGetChildCount();
  for (unsigned int index = 0; index < count; ++index) {
    deserializator.DoBeginChild(index);
    if (deserializator.GetNodeName() == "Animation") found.push_back(index);
    deserializator.DoEndChild();
  }
  return found;
}

// From the "Animation" child at the position, or, without one, from the child the reader finds
// by name.
boost::shared_ptr<STextureAnimator> DeserializeAnimator(SDeserializator& deserializator, const unsigned int* index,
                                                        const boost::shared_ptr<STextureManager>& textureManager) {
  STextureAnimator::BeginAnimationChild(deserializator, index);
  std::string type;
  deserializator.DoDeserialize("Type", type);
  const boost::shared_ptr<STextureAnimator> animator =
      CreateTextureAnimator(TextureAnimatorTypeFromString(type));
  deserializator.DoEndChild();
  animator->DeserializeAnimation(deserializator, index, textureManager);
  return animator;
}

void DeserializeStage(SDeserializator& deserializator, const MaterialStage& stage, const unsigned int* animation,
                      const boost::shared_ptr<STextureManager>& textureManager) {
  if (!deserializator.DoIsAvialableName(stage.textureName)) return;
  std::string textureName;
  deserializator.DoDeserialize(stage.textureName, textureName);
  stage.texture = textureManager->GetTexture(textureName);
  if (deserializator.DoIsHaveChild(stage.filtrationName)) {
    const boost::shared_ptr<STextureFiltration> filtration(new STextureFiltration);
    deserializator.DoDeserialize(stage.filtrationName, *filtration);
    stage.filtration = filtration;
  }
  if (deserializator.DoIsHaveChild("Animation"))
    stage.animator = DeserializeAnimator(deserializator, animation, textureManager);
}

}  // namespace

void SerializeMaterial(const SMaterial& material, SSerializator& serializator) {
  // A copy shares the material's textures, filtrations and animators, and lets writing and reading
  // walk the same stage table.
  SMaterial stages = material;
  serializator.DoBeginChild("Material");
  ForEachRenderState(stages, [&](const char* name, const auto& value) { serializator.DoSerialize(name, value); });
  serializator.DoBeginChild("Textures");
  SerializeStage(Stage1(stages), serializator);
  SerializeStage(Stage2(stages), serializator);
  serializator.DoEndChild();
  serializator.DoEndChild();
}

void DeserializeMaterial(SDeserializator& deserializator, SMaterial& material,
                         const boost::shared_ptr<STextureManager>& textureManager) {
  deserializator.DoBeginChild("Material");
  ForEachRenderState(material, [&](const char* name, auto& value) { deserializator.DoDeserialize(name, value); });
  deserializator.DoBeginChild("Textures");
  // Each animated stage writes an "Animation" of its own: with both textures and two of them, the
  // stages take theirs in document order instead of sharing whichever the reader finds by name.
  const std::vector<unsigned int> animations = AnimationChildren(deserializator);
  const bool inDocumentOrder = animations.size() == 2 && deserializator.DoIsAvialableName("Texture1") &&
                               deserializator.DoIsAvialableName("Texture2");
  DeserializeStage(deserializator, Stage1(material), inDocumentOrder ? &animations[0] : nullptr, textureManager);
  DeserializeStage(deserializator, Stage2(material), inDocumentOrder ? &animations[1] : nullptr, textureManager);
  deserializator.DoEndChild();
  deserializator.DoEndChild();
}

}  // namespace SCore
