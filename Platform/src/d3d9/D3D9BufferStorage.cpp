#include "D3D9BufferStorage.h"

namespace Platform {
namespace D3D9 {

HRESULT BufferStorage::Lock(UINT offset, UINT size, void** data) {
  if (data == nullptr) return D3DERR_INVALIDCALL;
  const UINT length = Length();
  if (offset > length || size > length - offset) {
    *data = nullptr;
    return D3DERR_INVALIDCALL;
  }
  *data = m_bytes.data() + offset;
  ++m_locks;
  return D3D_OK;
}

HRESULT BufferStorage::Unlock() {
  if (m_locks == 0) return D3DERR_INVALIDCALL;
  --m_locks;
  return D3D_OK;
}

}  // namespace D3D9
}  // namespace Platform
