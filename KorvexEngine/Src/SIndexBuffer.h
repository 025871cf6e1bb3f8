#pragma once

#include "SResource.h"

#include "Platform/D3D9.h"

#include <boost/shared_ptr.hpp>

namespace SCore {

class SRenderDevice;

// 16-bit or 32-bit indices into a vertex buffer. The viewport's factory fills the three counts.
class SIndexBuffer : public SResource {
 public:
  SIndexBuffer() : SResource(7, "IndexBuffer") {}

  virtual void Create(const boost::shared_ptr<SRenderDevice>& device, D3DFORMAT format, DWORD usage) = 0;
  // A successful lock holds the render device's lock until DoUnlock, on the same thread.
  virtual void DoLock(UINT offset, UINT size, void** data, DWORD flags) = 0;
  virtual void DoUnlock() = 0;
  virtual void Release() = 0;
  virtual IDirect3DIndexBuffer9* GetNative() = 0;
  virtual unsigned int DoGetIndexSize(D3DFORMAT format) = 0;

  unsigned int ByteLength = 0;
  unsigned int IndexCount = 0;
  unsigned int IndexSize = 0;
};

}  // namespace SCore
