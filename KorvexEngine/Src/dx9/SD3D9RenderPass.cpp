#include "SD3D9RenderPass.h"

namespace SCore {

void SD3D9RenderPass::ApplyWorld() { m_renderDevice->DoSetTransform(D3DTS_WORLD, &World); }

void SD3D9RenderPass::ApplyView() { m_renderDevice->DoSetTransform(D3DTS_VIEW, &View); }

void SD3D9RenderPass::ApplyProjection() { m_renderDevice->DoSetTransform(D3DTS_PROJECTION, &Projection); }

void SD3D9RenderPass::Apply() {
  ApplyWorld();
  ApplyView();
  ApplyProjection();
}

}  // namespace SCore
