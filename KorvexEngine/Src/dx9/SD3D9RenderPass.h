#pragma once

#include "SRenderPass.h"

namespace SCore {

class SD3D9RenderPass : public SRenderPass {
 public:
  explicit SD3D9RenderPass(const boost::shared_ptr<SRenderDevice>& device) : SRenderPass(device) {}
  void ApplyWorld() override;
  void ApplyView() override;
  void ApplyProjection() override;
  // World, view, projection.
  void Apply() override;
};

}  // namespace SCore
