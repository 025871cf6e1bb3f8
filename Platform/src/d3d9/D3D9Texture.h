// A two-dimensional texture with its mip chain. Each level keeps its pixels in memory, where
// LockRect exposes them; changed levels go to OpenGL when the texture is next drawn with.
// Render-target textures live only in OpenGL. A large level that its loader can make again is not
// kept between uses: it is made again for a lock or an upload, until a write makes it the texture's own.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "D3D9DeviceCore.h"
#include "D3D9Formats.h"
#include "D3D9RefCounted.h"

namespace Platform {
namespace D3D9 {

class Surface9;

class Texture9 : public RefCounted<IDirect3DTexture9> {
 public:
  // Checks the arguments as CreateTexture does; answers D3D_OK and the texture, or the failure.
  static HRESULT Create(std::shared_ptr<DeviceCore> core, UINT width, UINT height, UINT levels, DWORD usage,
                        D3DFORMAT format, D3DPOOL pool, Texture9** texture);
  ~Texture9() override;

  D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
  DWORD GetLevelCount() override { return static_cast<DWORD>(m_levels.size()); }
  HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
  HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) override;
  HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect(UINT level) override;

  const FormatInfo& Format() const { return *m_format; }
  bool IsRenderTarget() const { return (m_usage & D3DUSAGE_RENDERTARGET) != 0; }
  DeviceCore* Core() const { return m_core.get(); }

  // Fills a whole level with pixels in the texture's format, whatever its pool (for loaders).
  HRESULT WriteLevel(UINT level, std::vector<BYTE> pixels);
  // Makes a level's pixels again exactly as the loader first wrote them (from the file it keeps);
  // false if it cannot.
  using LevelSource = std::function<bool(UINT level, std::vector<BYTE>* pixels)>;
  // From now on the large levels written so far are let go whenever unused, and made again by the source.
  void SetLevelSource(LevelSource source);
  // Whether the level's pixels are let go at the moment (for tests).
  bool IsLevelParked(UINT level) const { return level < m_levels.size() && m_levels[level].parked; }
  // With the device's context current: the OpenGL texture, made and brought up to date.
  unsigned PrepareForDrawing();
  // With the device's context current: where the texture lies in the device's texture page, up to
  // date and with a border for the sampler's addressing; null for a texture that does not go there
  // (more than one level, not 32-bit, large, or no room left) or is locked.
  const PageSlot* PrepareInPage(const DWORD* sampler);
  bool IsInPage() const { return m_pagePlace == PagePlace::Placed; }
  // The sampler settings last given to the OpenGL texture, so that unchanged ones are not sent again.
  std::vector<DWORD>& AppliedSampler() { return m_appliedSampler; }

 private:
  struct Level {
    UINT width;
    UINT height;
    std::vector<BYTE> pixels;
    bool locked = false;
    bool lockedForWriting = false;
    bool dirty = true;
    bool fromSource = false;  // as the source makes it: it may be let go
    bool parked = false;      // let go; the source makes it again
  };

  Texture9(std::shared_ptr<DeviceCore> core, UINT width, UINT height, UINT levels, DWORD usage,
           const FormatInfo& format, D3DPOOL pool);
  bool IsLockable() const;
  size_t LevelBytes(const Level& level) const;
  // The level's pixels in memory again, if they were let go.
  bool Unpark(UINT index);
  void ParkIfLarge(UINT index);
  void Upload();
  bool FitsPage() const;
  void UploadToPage(const std::array<DWORD, 3>& addressing);

  std::shared_ptr<DeviceCore> m_core;
  const FormatInfo* m_format;
  DWORD m_usage;
  D3DPOOL m_pool;
  std::vector<Level> m_levels;
  std::vector<std::unique_ptr<Surface9>> m_surfaces;
  unsigned m_glTexture = 0;
  bool m_glStorageMade = false;
  std::vector<DWORD> m_appliedSampler;
  LevelSource m_levelSource;

  enum class PagePlace { NotYet, Placed, Never };
  PagePlace m_pagePlace = PagePlace::NotYet;
  PageSlot m_pageSlot{};
  std::array<DWORD, 3> m_pageAddressing{};  // U, V and border colour that the border repeats
  bool m_pageDirty = true;
};

}  // namespace D3D9
}  // namespace Platform
