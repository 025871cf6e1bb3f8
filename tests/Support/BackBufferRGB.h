// The device's back buffer as it stands, drawn but not yet presented: as ARGB pixels for checks, and
// as RGB rows from the top, which the test programs keep as pictures of their frames.
#pragma once

#include "SRenderDevice.h"

#include "Platform/D3D9TestHooks.h"

#include <boost/shared_ptr.hpp>

#include <functional>
#include <vector>

namespace TestSupport {

inline std::vector<DWORD> BackBufferPixels(SCore::SRenderDevice& device) {
  IDirect3DDevice9* native = device.Lock();
  IDirect3DSurface9* backBuffer = nullptr;
  native->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
  std::vector<DWORD> pixels = Platform::Testing::ReadRenderTarget(backBuffer);
  backBuffer->Release();
  device.Unlock();
  return pixels;
}

// One scene on black with whatever the drawing puts there, read back before it is presented.
inline std::vector<DWORD> DrawAndReadBack(SCore::SRenderDevice& device, const std::function<void()>& draw) {
  device.DoClearScene(0, 0, 0);
  device.DoClearScene(1.0f);
  device.DoBeginScene();
  draw();
  std::vector<DWORD> pixels = BackBufferPixels(device);
  device.EndScene();
  return pixels;
}

inline std::vector<unsigned char> BackBufferRGB(const boost::shared_ptr<SCore::SRenderDevice>& device, int& width,
                                                int& height) {
  width = static_cast<int>(device->GetWidth());
  height = static_cast<int>(device->GetHeight());
  const std::vector<DWORD> pixels = BackBufferPixels(*device);
  std::vector<unsigned char> rgb;
  rgb.reserve(pixels.size() * 3);
  for (DWORD pixel : pixels)
    rgb.insert(rgb.end(), {static_cast<unsigned char>(pixel >> 16), static_cast<unsigned char>(pixel >> 8),
                           static_cast<unsigned char>(pixel)});
  return rgb;
}

}  // namespace TestSupport
