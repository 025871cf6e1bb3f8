#include "D3D9Texture.h"

#include "D3D9Surface.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>

namespace Platform {
namespace D3D9 {
namespace {

UINT LevelSize(UINT size, UINT level) {
  const UINT shifted = size >> level;
  return shifted > 0 ? shifted : 1;
}

// Which texel of a row or column of size texels an index one beyond either end samples under an
// addressing mode; false where the border colour shows.
bool AddressedTexel(int index, UINT size, DWORD address, UINT* texel) {
  const int last = int(size) - 1;
  if (index >= 0 && index <= last) {
    *texel = UINT(index);
  } else if (address == D3DTADDRESS_WRAP) {
    *texel = index < 0 ? UINT(last) : 0;
  } else if (address == D3DTADDRESS_BORDER) {
    return false;
  } else {
    // Clamping and mirroring both repeat the edge texel one step beyond it.
    *texel = index < 0 ? 0 : UINT(last);
  }
  return true;
}

bool IsInside(const RECT& rect, UINT width, UINT height) {
  return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
         static_cast<UINT>(rect.right) <= width && static_cast<UINT>(rect.bottom) <= height;
}

}  // namespace

HRESULT Texture9::Create(std::shared_ptr<DeviceCore> core, UINT width, UINT height, UINT levels, DWORD usage,
                         D3DFORMAT format, D3DPOOL pool, Texture9** texture) {
  if (texture == nullptr) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  const FormatInfo* info = FindTextureFormat(format);
  if (info == nullptr || width == 0 || height == 0 || width > kMaxTextureSize || height > kMaxTextureSize) {
    return D3DERR_INVALIDCALL;
  }
  if (pool > D3DPOOL_SCRATCH) return D3DERR_INVALIDCALL;
  const UINT fullChain = FullMipChainLength(width, height);
  if (levels > fullChain) return D3DERR_INVALIDCALL;
  const bool renderTarget = (usage & D3DUSAGE_RENDERTARGET) != 0;
  if (renderTarget && (pool != D3DPOOL_DEFAULT || !info->renderTarget)) return D3DERR_INVALIDCALL;
  if ((usage & D3DUSAGE_DEPTHSTENCIL) != 0) return D3DERR_INVALIDCALL;
  *texture = new Texture9(std::move(core), width, height, levels == 0 ? fullChain : levels, usage, *info, pool);
  return D3D_OK;
}

Texture9::Texture9(std::shared_ptr<DeviceCore> core, UINT width, UINT height, UINT levels, DWORD usage,
                   const FormatInfo& format, D3DPOOL pool)
    : m_core(std::move(core)), m_format(&format), m_usage(usage), m_pool(pool) {
  const bool renderTarget = IsRenderTarget();
  for (UINT level = 0; level < levels; ++level) {
    Level entry{LevelSize(width, level), LevelSize(height, level), {}};
    if (!renderTarget) entry.pixels.assign(size_t(entry.width) * entry.height * format.bytesPerPixel, 0);
    m_levels.push_back(std::move(entry));
    D3DSURFACE_DESC desc{};
    GetLevelDesc(level, &desc);
    m_surfaces.push_back(std::make_unique<Surface9>(*this, level, desc));
  }
  if (m_pool == D3DPOOL_DEFAULT) m_core->defaultPoolResources++;
}

Texture9::~Texture9() {
  m_core->DeleteTextureLater(m_glTexture);
  if (m_pagePlace == PagePlace::Placed) {
    std::lock_guard<std::recursive_mutex> lock(m_core->Mutex());
    m_core->Page().Free(m_pageSlot);
  }
  if (m_pool == D3DPOOL_DEFAULT) m_core->defaultPoolResources--;
}

HRESULT Texture9::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
  if (desc == nullptr || level >= m_levels.size()) return D3DERR_INVALIDCALL;
  *desc = D3DSURFACE_DESC{m_format->format,      D3DRTYPE_SURFACE,      m_usage, m_pool, D3DMULTISAMPLE_NONE, 0,
                          m_levels[level].width, m_levels[level].height};
  return D3D_OK;
}

HRESULT Texture9::GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) {
  if (surface == nullptr || level >= m_levels.size()) return D3DERR_INVALIDCALL;
  *surface = m_surfaces[level].get();
  AddRef();
  return D3D_OK;
}

bool Texture9::IsLockable() const {
  return !IsRenderTarget() && (m_pool != D3DPOOL_DEFAULT || (m_usage & D3DUSAGE_DYNAMIC) != 0);
}

HRESULT Texture9::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
  std::lock_guard<std::recursive_mutex> lock(m_core->Mutex());
  if (locked == nullptr || level >= m_levels.size() || !IsLockable()) return D3DERR_INVALIDCALL;
  Level& entry = m_levels[level];
  if (entry.locked || !Unpark(level)) return D3DERR_INVALIDCALL;
  const RECT whole{0, 0, static_cast<LONG>(entry.width), static_cast<LONG>(entry.height)};
  const RECT& area = rect != nullptr ? *rect : whole;
  if (!IsInside(area, entry.width, entry.height)) return D3DERR_INVALIDCALL;
  const UINT pitch = entry.width * m_format->bytesPerPixel;
  locked->Pitch = static_cast<INT>(pitch);
  locked->pBits = entry.pixels.data() + size_t(area.top) * pitch + size_t(area.left) * m_format->bytesPerPixel;
  entry.locked = true;
  entry.lockedForWriting = (flags & D3DLOCK_READONLY) == 0;
  return D3D_OK;
}

HRESULT Texture9::UnlockRect(UINT level) {
  std::lock_guard<std::recursive_mutex> lock(m_core->Mutex());
  if (level >= m_levels.size() || !m_levels[level].locked) return D3DERR_INVALIDCALL;
  Level& entry = m_levels[level];
  entry.locked = false;
  // Only now are the writes complete; a draw during the lock must not take them as uploaded.
  if (entry.lockedForWriting) {
    entry.dirty = m_pageDirty = true;
    entry.fromSource = false;  // the writes are the texture's own now
  } else {
    ParkIfLarge(level);
  }
  return D3D_OK;
}

HRESULT Texture9::WriteLevel(UINT level, std::vector<BYTE> pixels) {
  std::lock_guard<std::recursive_mutex> lock(m_core->Mutex());
  if (level >= m_levels.size() || IsRenderTarget() || pixels.size() != LevelBytes(m_levels[level])) {
    return D3DERR_INVALIDCALL;
  }
  Level& entry = m_levels[level];
  entry.pixels = std::move(pixels);
  entry.parked = false;
  entry.fromSource = false;
  entry.dirty = m_pageDirty = true;
  return D3D_OK;
}

void Texture9::SetLevelSource(LevelSource source) {
  std::lock_guard<std::recursive_mutex> lock(m_core->Mutex());
  m_levelSource = std::move(source);
  for (UINT index = 0; index < m_levels.size(); ++index) {
    m_levels[index].fromSource = !IsRenderTarget() && !m_levels[index].locked;
    ParkIfLarge(index);
  }
}

size_t Texture9::LevelBytes(const Level& level) const {
  return size_t(level.width) * level.height * m_format->bytesPerPixel;
}

bool Texture9::Unpark(UINT index) {
  Level& level = m_levels[index];
  if (!level.parked) return true;
  std::vector<BYTE> pixels;
  if (!m_levelSource || !m_levelSource(index, &pixels) || pixels.size() != LevelBytes(level)) return false;
  level.pixels.swap(pixels);
  level.parked = false;
  return true;
}

// Small levels are not worth making again; those in the shared page are read whenever it is redrawn.
void Texture9::ParkIfLarge(UINT index) {
  const size_t kSmallestParked = 256 * 1024;
  Level& level = m_levels[index];
  if (!m_levelSource || !level.fromSource || level.locked || level.parked || LevelBytes(level) < kSmallestParked ||
      m_pagePlace == PagePlace::Placed) {
    return;
  }
  std::vector<BYTE>().swap(level.pixels);
  level.parked = true;
}

unsigned Texture9::PrepareForDrawing() {
  if (m_glTexture == 0) {
    glGenTextures(1, &m_glTexture);
    glBindTexture(GL_TEXTURE_2D, m_glTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(m_levels.size() - 1));
    m_appliedSampler.clear();
  }
  Upload();
  return m_glTexture;
}

void Texture9::Upload() {
  const auto pending = [](const Level& level) { return level.dirty && !level.locked; };
  if (m_glStorageMade && std::none_of(m_levels.begin(), m_levels.end(), pending)) return;
  glBindTexture(GL_TEXTURE_2D, m_glTexture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (size_t index = 0; index < m_levels.size(); ++index) {
    Level& level = m_levels[index];
    if (m_glStorageMade && !pending(level)) continue;
    // A locked level may be half written (by another thread too): it gets its storage now and its
    // pixels once unlocked. A level that cannot be made again stays due.
    const bool ready = IsRenderTarget() || level.locked || Unpark(UINT(index));
    const void* pixels = IsRenderTarget() || level.locked || !ready ? nullptr : level.pixels.data();
    const auto width = static_cast<GLsizei>(level.width);
    const auto height = static_cast<GLsizei>(level.height);
    if (!m_glStorageMade) {
      glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(index), m_format->glInternalFormat, width, height, 0,
                   m_format->glFormat, m_format->glType, pixels);
    } else if (pixels != nullptr) {
      glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(index), 0, 0, width, height, m_format->glFormat,
                      m_format->glType, pixels);
    }
    if (!level.locked && ready) level.dirty = false;
    ParkIfLarge(UINT(index));
  }
  m_glStorageMade = true;
}

bool Texture9::FitsPage() const {
  const D3DFORMAT format = m_format->format;
  return m_levels.size() == 1 && !IsRenderTarget() && (format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8) &&
         m_levels[0].width <= TexturePage::kLargestSide && m_levels[0].height <= TexturePage::kLargestSide;
}

const PageSlot* Texture9::PrepareInPage(const DWORD* sampler) {
  if (m_pagePlace == PagePlace::NotYet) {
    const bool placed = FitsPage() && m_core->Page().Allocate(m_levels[0].width, m_levels[0].height, &m_pageSlot);
    m_pagePlace = placed ? PagePlace::Placed : PagePlace::Never;
  }
  if (m_pagePlace != PagePlace::Placed || m_levels[0].locked || !Unpark(0)) return nullptr;
  const std::array<DWORD, 3> addressing{sampler[D3DSAMP_ADDRESSU], sampler[D3DSAMP_ADDRESSV],
                                        sampler[D3DSAMP_BORDERCOLOR]};
  if (m_pageDirty || addressing != m_pageAddressing) UploadToPage(addressing);
  return &m_pageSlot;
}

void Texture9::UploadToPage(const std::array<DWORD, 3>& addressing) {
  const Level& level = m_levels[0];
  const UINT width = level.width + 2;
  const UINT height = level.height + 2;
  // Pixels without alpha sample as opaque, as their own texture gives them.
  const DWORD opaque = m_format->hasAlpha ? 0 : 0xFF000000;
  std::vector<DWORD> framed(size_t(width) * height);
  for (UINT y = 0; y < height; ++y) {
    for (UINT x = 0; x < width; ++x) {
      UINT column = 0;
      UINT row = 0;
      const bool inside = AddressedTexel(int(x) - 1, level.width, addressing[0], &column) &&
                          AddressedTexel(int(y) - 1, level.height, addressing[1], &row);
      const DWORD texel = inside ? ReadDword(level.pixels.data() + (size_t(row) * level.width + column) * 4)
                                 : addressing[2];
      framed[size_t(y) * width + x] = texel | opaque;
    }
  }
  glBindTexture(GL_TEXTURE_2D, m_core->Page().Texture());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexSubImage2D(GL_TEXTURE_2D, 0, GLint(m_pageSlot.x - 1), GLint(m_pageSlot.y - 1), GLsizei(width),
                  GLsizei(height), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, framed.data());
  m_pageAddressing = addressing;
  m_pageDirty = false;
}

}  // namespace D3D9
}  // namespace Platform
