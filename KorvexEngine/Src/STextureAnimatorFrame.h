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
  void DoSerialize(SSerializator& serializator) override;
  void DoDeserialize(SDeserializator& deserializator,
                     const boost::shared_ptr<STextureManager>& textureManager) override;
  void DoDeserialize(SDeserializator& deserializator, unsigned int index,
                     const boost::shared_ptr<STextureManager>& textureManager) override;
  // One matrix per cell, every cell starting on a whole texel; leaves TransformsReady clear.
  void CalculateTransforms() override;

  unsigned int FrameHorizontal;
  unsigned int FrameVertical;
  std::vector<SMatrix> Transforms;

 private:
  // Reads the entered "Animation" and leaves it.
  void ReadEnteredElement(SDeserializator& deserializator, const boost::shared_ptr<STextureManager>& textureManager);
  unsigned int CellCount() const;
  DWORD CellCounter(float cells) const;
};

}  // namespace SCore
