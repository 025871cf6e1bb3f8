#include "STexture.h"

#include "Platform/D3DX9.h"

namespace SCore {

STexture::STexture(const std::string& name) : SResource(3, name) {
  Transform.f11 = Transform.f22 = Transform.f33 = Transform.f44 = 1.0f;
}

void STexture::Load(const boost::shared_ptr<SRenderDevice>& device, const std::string& path) {
  m_renderDevice = device;
  DoLoad(path);
  m_path = path;
}

void STexture::LoadFromMemory(const boost::shared_ptr<SRenderDevice>& device, const void* data, UINT size) {
  m_renderDevice = device;
  DoLoadFromMemory(data, size);
  m_path = "memory";
}

void STexture::LoadFromMemory(const boost::shared_ptr<SRenderDevice>& device, const void* data, UINT size,
                              UINT mipLevels) {
  m_renderDevice = device;
  STextureParameters parameters;
  parameters.MipLevels = mipLevels;
  parameters.Usage = 0;
  parameters.Format = D3DFMT_A8R8G8B8;
  parameters.Pool = D3DPOOL_MANAGED;
  parameters.Filter = D3DX_FILTER_TRIANGLE;
  parameters.MipFilter = D3DX_FILTER_TRIANGLE;
  DoLoadFromMemoryEx(data, size, parameters);
  m_path = "memory";
}

}  // namespace SCore
