#pragma once

#include "SFont.h"

#include "Platform/D3DX9.h"

#include <boost/weak_ptr.hpp>

namespace SCore {

class SD3D9RenderDevice;

// A bold 32-pixel font of the D3DX library. While it is created it is registered with its device,
// which takes it through every reset; it does not keep the device alive.
class SD3D9Font : public SFont {
 public:
  ~SD3D9Font() override;
  void DoCreate(const boost::shared_ptr<SRenderDevice>& device) override;
  // Draws within a frame; an uncreated font draws nothing.
  void DoDrawText(int left, int top, int right, int bottom, const std::string& text, D3DCOLOR color,
                  DWORD format) override;
  void Release() override;

 private:
  ID3DXFont* m_native = nullptr;
  boost::weak_ptr<SD3D9RenderDevice> m_registeredWith;
};

}  // namespace SCore
