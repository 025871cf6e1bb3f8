#include "D3D9Surface.h"

#include "D3D9Texture.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

namespace Platform {
namespace D3D9 {

Surface9::Surface9(Texture9& container, UINT level, const D3DSURFACE_DESC& desc)
    : m_container(&container), m_level(level), m_desc(desc) {}

Surface9::Surface9(std::shared_ptr<DeviceCore> core, const D3DSURFACE_DESC& desc)
    : m_desc(desc), m_core(std::move(core)) {
  m_core->defaultPoolResources++;
}

Surface9* Surface9::CreateBackBuffer(std::shared_ptr<DeviceCore> core, UINT width, UINT height, D3DFORMAT format) {
  const FormatInfo* info = FindTextureFormat(format);
  if (info == nullptr || !info->renderTarget || width == 0 || height == 0) return nullptr;
  D3DSURFACE_DESC desc{format, D3DRTYPE_SURFACE, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT, D3DMULTISAMPLE_NONE, 0, width,
                       height};
  return new Surface9(std::move(core), desc);
}

Surface9::~Surface9() {
  if (m_core) {
    m_core->DeleteTextureLater(m_glTexture);
    m_core->defaultPoolResources--;
  }
}

ULONG Surface9::AddRef() {
  if (m_container != nullptr) return m_container->AddRef();
  return ++m_references;
}

ULONG Surface9::Release() {
  if (m_container != nullptr) return m_container->Release();
  const ULONG left = --m_references;
  if (left == 0) delete this;
  return left;
}

HRESULT Surface9::GetDesc(D3DSURFACE_DESC* desc) {
  if (desc == nullptr) return D3DERR_INVALIDCALL;
  *desc = m_desc;
  return D3D_OK;
}

HRESULT Surface9::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
  // A back buffer made without the lockable flag cannot be locked.
  if (m_container == nullptr) return D3DERR_INVALIDCALL;
  return m_container->LockRect(m_level, locked, rect, flags);
}

HRESULT Surface9::UnlockRect() {
  if (m_container == nullptr) return D3DERR_INVALIDCALL;
  return m_container->UnlockRect(m_level);
}

DeviceCore* Surface9::Core() const { return m_container != nullptr ? m_container->Core() : m_core.get(); }

unsigned Surface9::PrepareForDrawing() {
  if (m_container != nullptr) return m_container->PrepareForDrawing();
  if (m_glTexture == 0) {
    const FormatInfo& info = *FindTextureFormat(m_desc.Format);
    glGenTextures(1, &m_glTexture);
    glBindTexture(GL_TEXTURE_2D, m_glTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, info.glInternalFormat, static_cast<GLsizei>(m_desc.Width),
                 static_cast<GLsizei>(m_desc.Height), 0, info.glFormat, info.glType, nullptr);
  }
  return m_glTexture;
}

std::vector<DWORD> Surface9::ReadPixels() {
  std::vector<DWORD> pixels(size_t(m_desc.Width) * m_desc.Height);
  glBindTexture(GL_TEXTURE_2D, PrepareForDrawing());
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glGetTexImage(GL_TEXTURE_2D, GLint(m_level), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
  return pixels;
}

}  // namespace D3D9
}  // namespace Platform
