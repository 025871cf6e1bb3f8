#include "SD3D9IndexBuffer.h"

#include "KorvexCoreDX9Exception.h"
#include "SD3D9DeviceLock.h"
#include "SD3D9NativeObjects.h"
#include "SD3D9ResultTexts.h"
#include "srethrow.h"

#include "Platform/D3DX9.h"

namespace SCore {

namespace {
const char* const kSource = ".\\Src\\dx9\\SD3D9IndexBuffer";
}  // namespace

SD3D9IndexBuffer::~SD3D9IndexBuffer() { Release(); }

void SD3D9IndexBuffer::Create(const boost::shared_ptr<SRenderDevice>& device, D3DFORMAT format, DWORD usage) {
  KORVEX_TRY
    m_renderDevice = device;
    HRESULT result;
    {
      SD3D9DeviceLock hold(*m_renderDevice);
      result = hold.Native()->CreateIndexBuffer(ByteLength, usage, format, D3DPOOL_MANAGED, &m_native, nullptr);
    }
    if (FAILED(result)) m_native = nullptr;
    RaiseIfFailed(result, "Can't create D3D9 Index Buffer: ",
                  {{{E_OUTOFMEMORY, "OUTOFMEMORY"},
                    {D3DERR_OUTOFVIDEOMEMORY, "OUTOFVIDEOMEMORYL"},
                    {D3DERR_INVALIDCALL, "INVALIDCALL"},
                    {D3DXERR_INVALIDDATA, "INVALIDDATA"}},
                   "UNKNOWN ERROR"});
  KORVEX_RETHROW("SD3D9IndexBuffer::Create()", kSource)
}

void SD3D9IndexBuffer::DoLock(UINT offset, UINT size, void** data, DWORD flags) {
  KORVEX_TRY
    LockNativeBuffer(*m_renderDevice, m_native, offset, size, data, flags, "can't Lock index buffer");
  KORVEX_RETHROW("SD3D9IndexBuffer::DoLock()", kSource)
}

void SD3D9IndexBuffer::DoUnlock() {
  KORVEX_TRY
    UnlockNativeBuffer(*m_renderDevice, m_native);
  KORVEX_RETHROW("SD3D9IndexBuffer::DoUnlock()", kSource)
}

void SD3D9IndexBuffer::Release() { ReleaseNative(m_native); }

unsigned int SD3D9IndexBuffer::DoGetIndexSize(D3DFORMAT format) {
  KORVEX_TRY
    if (format == D3DFMT_INDEX16) return 2;
    if (format == D3DFMT_INDEX32) return 4;
    throw KorvexCoreDX9Exception("can't get index size: unknown index buffer format");
  KORVEX_RETHROW("SD3D9IndexBuffer::DoGetIndexSize()", kSource)
}

}  // namespace SCore
