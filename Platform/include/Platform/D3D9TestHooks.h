// Hooks through which tests read back what a device drew, provoke device loss in a window and
// make a call fail as a machine seldom makes it fail. Not part of the interfaces the engine uses.
#pragma once

#include "Platform/D3D9.h"

#include <vector>

namespace Platform {
namespace Testing {

// The pixels of a render target (the back buffer or a level of a render-target texture), row by
// row from the top, each as 0xAARRGGBB; alpha reads 0xFF on targets without alpha. Empty for a
// surface that is no render target.
std::vector<DWORD> ReadRenderTarget(IDirect3DSurface9* surface);

// The device behaves as a full-screen device whose window lost the focus: it is lost until
// EndDeviceLoss, after which it waits for Reset.
void ProvokeDeviceLoss(IDirect3DDevice9* device);
void EndDeviceLoss(IDirect3DDevice9* device);

// The next call of the named operation ("CreateDevice", "Reset", "CreateVertexBuffer",
// "CreateIndexBuffer", "CreateTexture", "SetTexture", "SetTransform", "DrawPrimitive",
// "DrawIndexedPrimitive", "GetDeviceCaps", "GetAdapterDisplayMode", "D3DXCreateTexture") answers
// the given result and does nothing else.
void FailNextCall(const char* operation, HRESULT result);
void ClearFailures();

}  // namespace Testing
}  // namespace Platform
