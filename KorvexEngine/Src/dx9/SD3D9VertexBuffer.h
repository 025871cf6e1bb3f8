#pragma once

#include "SRenderDevice.h"
#include "SVertexBuffer.h"

#include <boost/shared_ptr.hpp>

namespace SCore {

// A vertex buffer in the managed pool; it keeps its render device alive.
class SD3D9VertexBuffer : public SVertexBuffer {
 public:
  ~SD3D9VertexBuffer() override;
  void Create(const boost::shared_ptr<SRenderDevice>& device, DWORD fvf, DWORD usage) override;
  void DoLock(UINT offset, UINT size, void** data, DWORD flags) override;
  void DoUnlock() override;
  void Release() override;
  DWORD DoGetFvf() override;
  IDirect3DVertexBuffer9* GetNative() override { return m_native; }

 private:
  boost::shared_ptr<SRenderDevice> m_renderDevice;
  IDirect3DVertexBuffer9* m_native = nullptr;
};

}  // namespace SCore
