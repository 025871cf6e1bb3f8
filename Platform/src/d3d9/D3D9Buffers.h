// Vertex and index buffers: memory that the device reads when it draws.
#pragma once

#include <memory>

#include "D3D9BufferStorage.h"
#include "D3D9DeviceCore.h"
#include "D3D9RefCounted.h"

namespace Platform {
namespace D3D9 {

// What both kinds of buffer share: the device core, the pool count and the locked memory.
template <class Interface>
class Buffer9 : public RefCounted<Interface> {
 public:
  Buffer9(std::shared_ptr<DeviceCore> core, UINT length, DWORD usage, D3DPOOL pool)
      : m_core(std::move(core)), m_storage(length), m_usage(usage), m_pool(pool) {
    if (m_pool == D3DPOOL_DEFAULT) m_core->defaultPoolResources++;
  }
  ~Buffer9() override {
    if (m_pool == D3DPOOL_DEFAULT) m_core->defaultPoolResources--;
  }

  HRESULT Lock(UINT offset, UINT size, void** data, DWORD /*flags*/) override {
    std::lock_guard<std::recursive_mutex> lock(m_core->Mutex());
    return m_storage.Lock(offset, size, data);
  }
  HRESULT Unlock() override {
    std::lock_guard<std::recursive_mutex> lock(m_core->Mutex());
    return m_storage.Unlock();
  }
  const BufferStorage& Storage() const { return m_storage; }
  DeviceCore* Core() const { return m_core.get(); }

 protected:
  std::shared_ptr<DeviceCore> m_core;
  BufferStorage m_storage;
  DWORD m_usage;
  D3DPOOL m_pool;
};

class VertexBuffer9 : public Buffer9<IDirect3DVertexBuffer9> {
 public:
  VertexBuffer9(std::shared_ptr<DeviceCore> core, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool)
      : Buffer9(std::move(core), length, usage, pool), m_fvf(fvf) {}
  D3DRESOURCETYPE GetType() override { return D3DRTYPE_VERTEXBUFFER; }
  HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) override {
    if (desc == nullptr) return D3DERR_INVALIDCALL;
    *desc = D3DVERTEXBUFFER_DESC{D3DFMT_VERTEXDATA, D3DRTYPE_VERTEXBUFFER, m_usage, m_pool, m_storage.Length(), m_fvf};
    return D3D_OK;
  }

 private:
  DWORD m_fvf;
};

class IndexBuffer9 : public Buffer9<IDirect3DIndexBuffer9> {
 public:
  IndexBuffer9(std::shared_ptr<DeviceCore> core, UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool)
      : Buffer9(std::move(core), length, usage, pool), m_format(format) {}
  D3DRESOURCETYPE GetType() override { return D3DRTYPE_INDEXBUFFER; }
  HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) override {
    if (desc == nullptr) return D3DERR_INVALIDCALL;
    *desc = D3DINDEXBUFFER_DESC{m_format, D3DRTYPE_INDEXBUFFER, m_usage, m_pool, m_storage.Length()};
    return D3D_OK;
  }
  UINT IndexSize() const { return m_format == D3DFMT_INDEX32 ? 4 : 2; }

 private:
  D3DFORMAT m_format;
};

}  // namespace D3D9
}  // namespace Platform
