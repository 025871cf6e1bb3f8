#pragma once

#include "STextureAnimator.h"

namespace SCore {

// Scrolls the texture coordinates; the texture's addressing repeats the picture.
class STextureAnimatorFloating : public STextureAnimator {
 public:
  static const unsigned int kTowardsPlusU = 1;
  static const unsigned int kTowardsMinusU = 2;
  static const unsigned int kTowardsPlusV = 4;
  static const unsigned int kTowardsMinusV = 8;

  // Style and Step come from DoDeserialize.
  STextureAnimatorFloating();

  void DoAnimate(float seconds) override;
  void DoSerialize(SSerializator& serializator) override;
  void DoDeserialize(SDeserializator& deserializator,
                     const boost::shared_ptr<STextureManager>& textureManager) override;
  void DoDeserialize(SDeserializator& deserializator, unsigned int index,
                     const boost::shared_ptr<STextureManager>& textureManager) override;
  // The matrix is built in place on every update.
  void CalculateTransforms() override {}

  unsigned int Style = 0;  // direction bits
  float Step = 0.0f;       // texture coordinates per unit of AnimationSpeed and second

 private:
  // Reads the entered "Animation" and leaves it.
  void ReadEnteredElement(SDeserializator& deserializator, const boost::shared_ptr<STextureManager>& textureManager);
  float StepAlong(unsigned int plus, unsigned int minus) const;
};

}  // namespace SCore
