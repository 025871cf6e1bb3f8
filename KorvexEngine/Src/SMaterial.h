#pragma once

#include <boost/shared_ptr.hpp>

namespace SCore {

class STexture;
class STextureFiltration;
class STextureAnimator;

// The render states and the two texture stages that a drawable is drawn with. The references are
// shared with the texture manager and with every copy of the material.
class SMaterial {
 public:
  boost::shared_ptr<STexture> GetTexture1() const { return Texture1; }
  boost::shared_ptr<STexture> GetTexture2() const { return Texture2; }
  boost::shared_ptr<STextureFiltration> GetFiltration1() const { return Filtration1; }
  boost::shared_ptr<STextureFiltration> GetFiltration2() const { return Filtration2; }
  boost::shared_ptr<STextureAnimator> GetAnimator1() const { return Animator1; }
  boost::shared_ptr<STextureAnimator> GetAnimator2() const { return Animator2; }

  unsigned int CullMode = 1;  // none
  unsigned int FillMode = 3;  // solid
  int AlphaBlend = 0;
  unsigned int SrcBlend = 5;  // source alpha
  unsigned int DstBlend = 8;  // inverse destination alpha
  int ZWrite = 1;             // drives depth testing, not depth writing
  int Lighting = 0;
  int ColorOp = 4;  // stage 0: modulate
  int AlphaOp = 2;  // stage 0: select argument 1
  boost::shared_ptr<STexture> Texture1;
  boost::shared_ptr<STexture> Texture2;
  boost::shared_ptr<STextureFiltration> Filtration1;
  boost::shared_ptr<STextureFiltration> Filtration2;
  boost::shared_ptr<STextureAnimator> Animator1;
  boost::shared_ptr<STextureAnimator> Animator2;
  int IsFogEnable = 0;
};

// Copies everything but the two stage-0 operations, which the target keeps: screens set those on
// their own materials, and the device's current material must not take them over.
SMaterial& CopyMaterial(const SMaterial& source, SMaterial& target);

}  // namespace SCore
