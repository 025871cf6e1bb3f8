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
  // The matrix is built in place on every update.
  void CalculateTransforms() override {}

  unsigned int Style = 0;  // direction bits
  float Step = 0.0f;       // texture coordinates per unit of AnimationSpeed and second

 private:
  void SerializeOwnValues(SSerializator& serializator) override;
  void DeserializeOwnValues(SDeserializator& deserializator) override;
  const char* KindName() const override { return "STextureAnimatorFloating"; }
  float StepAlong(unsigned int plus, unsigned int minus) const;
};

}  // namespace SCore
