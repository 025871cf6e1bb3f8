#pragma once

#include "SIndexBuffer.h"
#include "SRenderDevice.h"

#include <boost/shared_ptr.hpp>

namespace SCore {

// An index buffer in the managed pool; it keeps its render device alive.
class SD3D9IndexBuffer : public SIndexBuffer {
 public:
  ~SD3D9IndexBuffer() override;
  void Create(const boost::shared_ptr<SRenderDevice>& device, D3DFORMAT format, DWORD usage) override;
  void DoLock(UINT offset, UINT size, void** data, DWORD flags) override;
  void DoUnlock() override;
  void Release() override;
  IDirect3DIndexBuffer9* GetNative() override { return m_native; }
  // 2 for 16-bit indices, 4 for 32-bit ones.
  unsigned int DoGetIndexSize(D3DFORMAT format) override;

 private:
  boost::shared_ptr<SRenderDevice> m_renderDevice;
  IDirect3DIndexBuffer9* m_native = nullptr;
};

}  // namespace SCore
