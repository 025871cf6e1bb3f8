#pragma once

#include "SAnimator.h"
#include "SRect.h"
#include "STexture.h"
#include "TextureAnimatorType.h"

#include <boost/shared_ptr.hpp>

namespace SCore {

class SSerializator;
class SDeserializator;
class STextureManager;

// Drives the transform matrix of one texture, so that a quad with fixed texture coordinates shows
// a moving picture. Persisted as the element "Animation".
class STextureAnimator : public SAnimator {
 public:
  STextureAnimator(const std::string& name, TextureAnimatorType type);

  // Builds the matrices when they are not ready, then animates with the elapsed seconds.
  void DoUpdate(DWORD elapsedMilliseconds) override;
  virtual void DoAnimate(float seconds) = 0;
  // Writes the element "Animation": the values that both kinds begin with, then the kind's own.
  virtual void DoSerialize(SSerializator& serializator);
  // Enters the child "Animation" by name.
  virtual void DoDeserialize(SDeserializator& deserializator,
                             const boost::shared_ptr<STextureManager>& textureManager);
  // Enters the child at that position, for elements that hold more than one "Animation".
  virtual void DoDeserialize(SDeserializator& deserializator, unsigned int index,
                             const boost::shared_ptr<STextureManager>& textureManager);
  virtual void CalculateTransforms() = 0;

  // Reads the element "Animation" found by name, or at the position among the current element's
  // children when there is one. The texture and the name take effect only once the texture is
  // found; the matrices are then rebuilt.
  void DeserializeAnimation(SDeserializator& deserializator, const unsigned int* index,
                            const boost::shared_ptr<STextureManager>& textureManager);
  // Enters the element "Animation" by name, or the child at the position when there is one.
  static void BeginAnimationChild(SDeserializator& deserializator, const unsigned int* index);

  // The matrices are not rebuilt: owners that change the texture clear TransformsReady.
  void SetTexture(const boost::shared_ptr<STexture>& texture);

  float AnimationSpeed = 1.0f;
  float StartPhase = 0.0f;
  boost::shared_ptr<STexture> Texture;
  TextureAnimatorType Type;
  bool Inverse = false;
  SRect Indent{0.0f, 0.0f, 1.0f, 1.0f};
  bool TransformsReady = false;

 protected:
  // The texture that the animator writes or is written with; raises when there is none.
  STexture& RequireTexture() const;
  // The kind's own values in the entered "Animation", in the element's order.
  virtual void SerializeOwnValues(SSerializator& serializator) = 0;
  virtual void DeserializeOwnValues(SDeserializator& deserializator) = 0;
  // The kind's class name, which names the operation and the source of a failure.
  virtual const char* KindName() const = 0;
};

}  // namespace SCore
