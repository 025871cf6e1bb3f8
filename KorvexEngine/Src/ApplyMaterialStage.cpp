#include "ApplyMaterialStage.h"

#include "KorvexCoreException.h"
#include "SRenderDevice.h"
#include "STexture.h"
#include "STextureAnimator.h"

namespace SCore {

namespace {

void ApplyMaterialStage(DWORD stage, const boost::shared_ptr<STexture>& texture,
                        const boost::shared_ptr<STextureFiltration>& filtration,
                        const boost::shared_ptr<STextureAnimator>& animator) {
  if (!texture) return;
  if (!texture->GetRenderDevice())
    throw KorvexCoreException(("material texture has no render device:" + texture->GetName()).c_str());
  if (filtration) texture->GetRenderDevice()->DoSetTextureFiltration(stage, *filtration);
  texture->UseTransform = bool(animator);
  if (animator) {
    animator->SetTexture(texture);
    animator->Update();
  }
  if (texture->UseTransform) {
    texture->SetTextureTransformation(&texture->Transform, stage);
  } else {
    texture->ResetTextureTransformation(stage);
  }
  texture->DoSet(stage);
}

}  // namespace

void ApplyMaterialStage0(const SMaterial& material) {
  ApplyMaterialStage(0, material.Texture1, material.Filtration1, material.Animator1);
}

void ApplyMaterialStage1(const SMaterial& material) {
  ApplyMaterialStage(1, material.Texture2, material.Filtration2, material.Animator2);
}

}  // namespace SCore
