#pragma once

namespace SCore {

// The creation parameters of a texture, in the render device's own numeric codes.
struct STextureParameters {
  unsigned int MipLevels = 0;
  unsigned int Usage = 0;
  unsigned int Format = 0;
  unsigned int Pool = 0;
  unsigned int Filter = 0;
  unsigned int MipFilter = 0;
};

}  // namespace SCore
