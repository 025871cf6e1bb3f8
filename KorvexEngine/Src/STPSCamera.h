#pragma once

#include "SCamera.h"

namespace KorvexEngine {

// A camera that also circles its eye about the target, around the vertical axis.
class STPSCamera : public SCamera {
 public:
  STPSCamera();

  void Orbit(float angle) override;
};

}  // namespace KorvexEngine
