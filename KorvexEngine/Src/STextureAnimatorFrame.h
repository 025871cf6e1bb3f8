#pragma once

#include "SMatrix.h"
#include "STextureAnimator.h"

#include <vector>

namespace SCore {

// Steps through the cells of a sprite sheet laid out as a grid in the Indent region of the texture.
class STextureAnimatorFrame : public STextureAnimator {
 public:
  // The grid comes from DoDeserialize.
  STextureAnimatorFrame();
  STextureAnimatorFrame(const std::string& name, unsigned int columns, unsigned int rows);

  void DoAnimate(float seconds) override;
  // One matrix per cell, every cell starting on a whole texel; leaves TransformsReady clear.
  void CalculateTransforms() override;

  unsigned int FrameHorizontal;
  unsigned int FrameVertical;
  std::vector<SMatrix> Transforms;

 private:
  void SerializeOwnValues(SSerializator& serializator) override;
  void DeserializeOwnValues(SDeserializator& deserializator) override;
  const char* KindName() const override { return "STextureAnimatorFrame"; }
  unsigned int CellCount() const;
  DWORD CellCounter(float cells) const;
};

}  // namespace SCore
