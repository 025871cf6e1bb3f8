#pragma once

#include "STexture.h"

#include <string>

namespace SCore {

// A texture made or loaded through Direct3D 9 and D3DX 9. It owns one reference to its native
// texture; letting go of that one also clears it from the device's record of bound textures.
class SD3D9Texture : public STexture {
 public:
  explicit SD3D9Texture(const std::string& name) : STexture(name) {}
  ~SD3D9Texture() override;

  // 16 or 32 bits, with a full mip chain.
  void DoCreate(UINT width, UINT height, UINT colorDepth) override;
  void DoCreateEx(UINT width, UINT height, UINT mipLevels, D3DFORMAT format) override;
  // One level in the back buffer's format.
  void DoCreateAsRenderTarget(UINT width, UINT height) override;
  void Release() override;
  void DoLockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
  void DoUnlockRect(UINT level) override;
  IDirect3DTexture9* GetNative() override { return m_native; }
  void DoLoad(const std::string& path, STextureParameters parameters) override;
  void DoLoad(const std::string& path) override;
  void DoLoadFromMemoryEx(const void* data, UINT size, STextureParameters parameters) override;
  void DoLoadFromMemory(const void* data, UINT size) override;
  void DoSet(DWORD stage) override;
  void SetTextureTransformation(const SMatrix* matrix, DWORD stage) override;
  void ResetTextureTransformation(DWORD stage) override;
  // The size of level 0; 0 before the texture is made.
  UINT GetWidth() override { return m_surface0.Width; }
  UINT GetHeight() override { return m_surface0.Height; }

 private:
  void TakeNative(IDirect3DTexture9* created);
  void ForgetInDevice();
  void FillSurface0Desc();

  IDirect3DTexture9* m_native = nullptr;
  D3DSURFACE_DESC m_surface0{};
};

}  // namespace SCore
