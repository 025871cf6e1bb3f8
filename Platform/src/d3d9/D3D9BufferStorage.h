// The memory of a vertex or index buffer and the rules of locking it, shared by both kinds.
#pragma once

#include <vector>

#include "Platform/D3D9.h"

namespace Platform {
namespace D3D9 {

class BufferStorage {
 public:
  explicit BufferStorage(UINT length) : m_bytes(length, 0) {}

  // A size of 0 locks from the offset to the end; locks nest and are counted.
  HRESULT Lock(UINT offset, UINT size, void** data);
  HRESULT Unlock();

  const BYTE* Bytes() const { return m_bytes.data(); }
  UINT Length() const { return static_cast<UINT>(m_bytes.size()); }

 private:
  std::vector<BYTE> m_bytes;
  int m_locks = 0;
};

}  // namespace D3D9
}  // namespace Platform
