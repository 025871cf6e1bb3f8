#pragma once

namespace SCore {

// Held through shared references (one per material stage); the render device turns the flags into
// sampler filters.
class STextureFiltration {
 public:
  virtual ~STextureFiltration() = default;

  bool IsBilinear = true;
  bool IsTrilinear = false;
  bool IsAnisotropic = false;
};

}  // namespace SCore
