#pragma once

#include "SMatrix.h"
#include "SRenderDevice.h"

#include <boost/shared_ptr.hpp>

namespace SCore {

// The world, view and projection matrices of one way of drawing; its owner writes a matrix and
// then applies it to the device.
class SRenderPass {
 public:
  explicit SRenderPass(const boost::shared_ptr<SRenderDevice>& device) : m_renderDevice(device) {}
  virtual ~SRenderPass() = default;
  virtual void ApplyWorld() = 0;
  virtual void ApplyView() = 0;
  virtual void ApplyProjection() = 0;
  virtual void Apply() = 0;

  SMatrix World;
  SMatrix View;
  SMatrix Projection;

 protected:
  boost::shared_ptr<SRenderDevice> m_renderDevice;
};

}  // namespace SCore
