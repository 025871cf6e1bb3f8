#pragma once

#include "SRenderPass.h"
#include "SVector3.h"
#include "SViewport.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>

namespace KorvexEngine {

// 0 SCamera, 1 STPSCamera; written to scene files.
using SCameraType = std::uint32_t;

// Turns an eye point, a target point and an up vector into the device's view transform, through a
// render pass of its viewport. The projection belongs to the owner.
class SCamera {
 public:
  explicit SCamera(SCameraType type = 0);
  virtual ~SCamera();

  // Each move shifts the eye and the target together; a camera whose eye is its target has no
  // direction to move in and stays where it is.
  virtual void MoveForward(float distance);
  virtual void MoveBackward(float distance);
  virtual void StrafeLeft(float distance);
  virtual void StrafeRight(float distance);
  virtual void Orbit(float angle);

  void Create(const boost::shared_ptr<SCore::SViewport>& Viewport);
  // Applies the view transform only.
  void Set();
  void LookAt();

  boost::shared_ptr<SCore::SViewport> m_Viewport;
  boost::shared_ptr<SCore::SRenderPass> m_RenderPass;
  SCore::SVector3 Eye{0.0f, 0.0f, -1.0f};
  SCore::SVector3 At{0.0f, 0.0f, 0.0f};
  SCore::SVector3 Up{0.0f, 1.0f, 0.0f};
  SCameraType Type;

 private:
  // The view direction scaled to the distance; false when there is none.
  bool Travel(float distance, SCore::SVector3& travel) const;
  void Shift(const SCore::SVector3& offset);
};

}  // namespace KorvexEngine
