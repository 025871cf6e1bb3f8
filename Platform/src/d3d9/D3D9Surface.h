// A surface: either a level of a texture, whose references are the texture's, or a render target
// of its own (the back buffer), held by the device.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "D3D9DeviceCore.h"
#include "D3D9Formats.h"

namespace Platform {
namespace D3D9 {

class Texture9;

class Surface9 : public IDirect3DSurface9 {
 public:
  Surface9(Texture9& container, UINT level, const D3DSURFACE_DESC& desc);
  // A back buffer of the given size and format, with one reference; null for a format that cannot
  // be drawn into.
  static Surface9* CreateBackBuffer(std::shared_ptr<DeviceCore> core, UINT width, UINT height, D3DFORMAT format);
  ~Surface9() override;

  ULONG AddRef() override;
  ULONG Release() override;
  D3DRESOURCETYPE GetType() override { return D3DRTYPE_SURFACE; }
  HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
  HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect() override;

  bool IsRenderTarget() const { return (m_desc.Usage & D3DUSAGE_RENDERTARGET) != 0; }
  const D3DSURFACE_DESC& Desc() const { return m_desc; }
  UINT Level() const { return m_level; }
  // The references held on a back buffer, the device's included.
  ULONG OwnReferences() const { return m_references; }
  DeviceCore* Core() const;
  // With the device's context current: the OpenGL texture that holds the pixels.
  unsigned PrepareForDrawing();
  // With the device's context current: the pixels of a render target kept in a texture, top row
  // first, as A8R8G8B8.
  std::vector<DWORD> ReadPixels();

 private:
  Surface9(std::shared_ptr<DeviceCore> core, const D3DSURFACE_DESC& desc);

  Texture9* m_container = nullptr;
  UINT m_level = 0;
  D3DSURFACE_DESC m_desc;
  std::shared_ptr<DeviceCore> m_core;
  std::atomic<ULONG> m_references{1};
  unsigned m_glTexture = 0;
};

}  // namespace D3D9
}  // namespace Platform
