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
  virtual void DoSerialize(SSerializator& serializator) = 0;
  // Enters the child "Animation" by name.
  virtual void DoDeserialize(SDeserializator& deserializator,
                             const boost::shared_ptr<STextureManager>& textureManager) = 0;
  // Enters the child at that position, for elements that hold more than one "Animation".
  virtual void DoDeserialize(SDeserializator& deserializator, unsigned int index,
                             const boost::shared_ptr<STextureManager>& textureManager) = 0;
  virtual void CalculateTransforms() = 0;

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
  // Enters "Animation" and writes the values that both kinds begin with.
  void BeginAnimationElement(SSerializator& serializator);
  // Reads the name and the texture name of the entered "Animation"; they take effect only once
  // the texture is found (FinishReading).
  void ReadNames(SDeserializator& deserializator, std::string& name, std::string& textureName);
  // Leaves "Animation", then takes the texture from the manager and the name.
  void FinishReading(SDeserializator& deserializator, const boost::shared_ptr<STextureManager>& textureManager,
                     const std::string& name, const std::string& textureName);
};

}  // namespace SCore
