#pragma once

#include "Platform/D3D9.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace SCore {

class SRenderDevice;

// Draws narrow text into a screen rectangle with a font of the render device.
class SFont {
 public:
  virtual ~SFont() = default;
  virtual void DoCreate(const boost::shared_ptr<SRenderDevice>& device) = 0;
  virtual void DoDrawText(int left, int top, int right, int bottom, const std::string& text, D3DCOLOR color,
                          DWORD format) = 0;
  virtual void Release() = 0;
};

}  // namespace SCore
