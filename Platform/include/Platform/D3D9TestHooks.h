// Hooks through which tests read back what a device drew, provoke device loss in a window and
// make a call fail as a machine seldom makes it fail. Not part of the interfaces the engine uses.
#pragma once

#include <vector>

#include "Platform/D3D9.h"

namespace Platform {
namespace Testing {

// The pixels of a render target (the back buffer or a level of a render-target texture), row by
// row from the top, each as 0xAARRGGBB; alpha reads 0xFF on targets without alpha. Empty for a
// surface that is no render target.
std::vector<DWORD> ReadRenderTarget(IDirect3DSurface9* surface);

// Whether the device draws its back buffer straight into the window's framebuffer (it does when
// they agree in size and format) rather than into a target of its own copied at Present.
bool BackBufferIsWindow(IDirect3DDevice9* device);

// Whether a texture has its place in the page that small 32-bit textures share (it takes one the
// first time it is drawn with coordinates inside it).
bool TextureIsInPage(IDirect3DTexture9* texture);

// The device behaves as a full-screen device whose window lost the focus: it is lost until
// EndDeviceLoss, after which it waits for Reset.
void ProvokeDeviceLoss(IDirect3DDevice9* device);
void EndDeviceLoss(IDirect3DDevice9* device);

// An adapter as tests describe it, in place of what SDL reports of the displays.
struct SimulatedAdapter {
  D3DDISPLAYMODE desktop{1024, 768, 60, D3DFMT_X8R8G8B8};
  // Sizes and rates offered at both display depths (their Format is not used); the desktop's
  // size is always offered.
  std::vector<D3DDISPLAYMODE> modes;
  DWORD devCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT | D3DDEVCAPS_PUREDEVICE;
  DWORD presentationIntervals = D3DPRESENT_INTERVAL_IMMEDIATE | D3DPRESENT_INTERVAL_ONE;
  std::vector<D3DFORMAT> depthFormats{D3DFMT_D16, D3DFMT_D24S8, D3DFMT_D24X8, D3DFMT_D32};
  bool hasHardwareDevice = true;  // false: GetDeviceCaps of the hardware device fails
};

// Every Direct3D object reports these adapters until UseRealAdapters; devices still draw through
// the window they are given.
void SimulateAdapters(const std::vector<SimulatedAdapter>& adapters);
void UseRealAdapters();

// The next call of the named operation ("CreateDevice", "Reset", "CreateVertexBuffer",
// "CreateIndexBuffer", "CreateTexture", "SetTexture", "SetTransform", "DrawPrimitive",
// "DrawIndexedPrimitive", "GetDeviceCaps", "GetAdapterDisplayMode", "D3DXCreateTexture") answers
// the given result and does nothing else.
void FailNextCall(const char* operation, HRESULT result);
void ClearFailures();

}  // namespace Testing
}  // namespace Platform
