#include "SD3D9VertexBuffer.h"

#include "KorvexCoreDX9Exception.h"
#include "SD3D9DeviceLock.h"
#include "SD3D9NativeObjects.h"
#include "SD3D9ResultTexts.h"
#include "srethrow.h"

namespace SCore {

namespace {
const char* const kSource = ".\\Src\\dx9\\SD3D9VertexBuffer";
}  // namespace

SD3D9VertexBuffer::~SD3D9VertexBuffer() { Release(); }

void SD3D9VertexBuffer::Create(const boost::shared_ptr<SRenderDevice>& device, DWORD fvf, DWORD usage) {
  KORVEX_TRY
    m_renderDevice = device;
    HRESULT result;
    {
      SD3D9DeviceLock hold(*m_renderDevice);
      result = hold.Native()->CreateVertexBuffer(ByteLength, usage, fvf, D3DPOOL_MANAGED, &m_native, nullptr);
    }
    if (FAILED(result)) m_native = nullptr;
    RaiseIfFailed(result, "Can't create D3D9 Vertex Buffer: ",
                  {{{E_OUTOFMEMORY, "OUTOFMEMORY"},
                    {D3DERR_OUTOFVIDEOMEMORY, "OUTOFVIDEOMEMORYL"},
                    {D3DERR_INVALIDCALL, "INVALIDCALL"}},
                   "UNKNOWN ERROR"});
  KORVEX_RETHROW("SD3D9VertexBuffer::Create()", kSource)
}

void SD3D9VertexBuffer::DoLock(UINT offset, UINT size, void** data, DWORD flags) {
  KORVEX_TRY
    LockNativeBuffer(*m_renderDevice, m_native, offset, size, data, flags, "can't Lock vertex buffer");
  KORVEX_RETHROW("SD3D9VertexBuffer::DoLock()", kSource)
}

void SD3D9VertexBuffer::DoUnlock() {
  KORVEX_TRY
    UnlockNativeBuffer(*m_renderDevice, m_native);
  KORVEX_RETHROW("SD3D9VertexBuffer::DoUnlock()", kSource)
}

void SD3D9VertexBuffer::Release() { ReleaseNative(m_native); }

DWORD SD3D9VertexBuffer::DoGetFvf() {
  KORVEX_TRY
    D3DVERTEXBUFFER_DESC description{};
    HRESULT result = E_FAIL;
    {
      SD3D9DeviceLock hold(*m_renderDevice);
      if (m_native != nullptr) result = m_native->GetDesc(&description);
    }
    if (FAILED(result)) throw KorvexCoreDX9Exception("can't get vertex buffer desc");
    return description.FVF;
  KORVEX_RETHROW("SD3D9VertexBuffer::DoGetFvf()", kSource)
}

}  // namespace SCore
