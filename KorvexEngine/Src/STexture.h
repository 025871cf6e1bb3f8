#pragma once

#include "SMatrix.h"
#include "SResource.h"
#include "STextureParameters.h"

#include "Platform/D3D9.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace SCore {

class SRenderDevice;

// A named picture on the render device, with the texture-coordinate transform that an animator
// writes and a material applies. The owner gives it a device before creating or loading it.
class STexture : public SResource {
 public:
  explicit STexture(const std::string& name);

  virtual void DoCreate(UINT width, UINT height, UINT colorDepth) = 0;
  virtual void DoCreateEx(UINT width, UINT height, UINT mipLevels, D3DFORMAT format) = 0;
  virtual void DoCreateAsRenderTarget(UINT width, UINT height) = 0;
  virtual void Release() = 0;
  // A successful lock holds the render device's lock until DoUnlockRect, on the same thread.
  virtual void DoLockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) = 0;
  virtual void DoUnlockRect(UINT level) = 0;
  virtual IDirect3DTexture9* GetNative() = 0;
  virtual void DoLoad(const std::string& path, STextureParameters parameters) = 0;
  virtual void DoLoad(const std::string& path) = 0;
  virtual void DoLoadFromMemoryEx(const void* data, UINT size, STextureParameters parameters) = 0;
  virtual void DoLoadFromMemory(const void* data, UINT size) = 0;
  virtual void DoSet(DWORD stage) = 0;
  virtual void SetTextureTransformation(const SMatrix* matrix, DWORD stage) = 0;
  virtual void ResetTextureTransformation(DWORD stage) = 0;
  virtual UINT GetWidth() = 0;
  virtual UINT GetHeight() = 0;

  void Load(const boost::shared_ptr<SRenderDevice>& device, const std::string& path);
  void LoadFromMemory(const boost::shared_ptr<SRenderDevice>& device, const void* data, UINT size);
  void LoadFromMemory(const boost::shared_ptr<SRenderDevice>& device, const void* data, UINT size, UINT mipLevels);

  const std::string& GetPath() const { return m_path; }
  const boost::shared_ptr<SRenderDevice>& GetRenderDevice() const { return m_renderDevice; }
  void SetRenderDevice(const boost::shared_ptr<SRenderDevice>& device) { m_renderDevice = device; }

  SMatrix Transform;          // identity until an animator writes it
  bool UseTransform = false;  // set while a material stage animates the texture

 protected:
  std::string m_path;
  boost::shared_ptr<SRenderDevice> m_renderDevice;
};

}  // namespace SCore
