#pragma once

#include "SResource.h"

#include "Platform/D3D9.h"

#include <boost/shared_ptr.hpp>

namespace SCore {

class SRenderDevice;

// A run of vertices of one vertex format. The viewport's factory fills the four counts; the render
// device reads them when it binds and draws the buffer.
class SVertexBuffer : public SResource {
 public:
  SVertexBuffer() : SResource(6, "VertexBuffer") {}

  virtual void Create(const boost::shared_ptr<SRenderDevice>& device, DWORD fvf, DWORD usage) = 0;
  // A successful lock holds the render device's lock until DoUnlock, on the same thread.
  virtual void DoLock(UINT offset, UINT size, void** data, DWORD flags) = 0;
  virtual void DoUnlock() = 0;
  virtual void Release() = 0;
  virtual DWORD DoGetFvf() = 0;
  virtual IDirect3DVertexBuffer9* GetNative() = 0;

  int PrimitiveType = 0;
  unsigned int ByteLength = 0;
  unsigned int VertexSize = 0;
  unsigned int VertexCount = 0;
};

}  // namespace SCore
