// What the Direct3D 9 resources do alike with the native object they own.
#pragma once

#include "KorvexCoreDX9Exception.h"
#include "SRenderDevice.h"

namespace SCore {

// Drops the one reference that the owner holds, if any.
template <typename Native>
void ReleaseNative(Native*& native) {
  if (native == nullptr) return;
  native->Release();
  native = nullptr;
}

// Locks a native buffer under the device's lock and keeps that lock held until UnlockNativeBuffer;
// a failed lock leaves the device lock before it raises failureText.
template <typename Native>
void LockNativeBuffer(SRenderDevice& device, Native* native, UINT offset, UINT size, void** data, DWORD flags,
                      const char* failureText) {
  device.Lock();
  if (native == nullptr || FAILED(native->Lock(offset, size, data, flags))) {
    device.Unlock();
    throw KorvexCoreDX9Exception(failureText);
  }
}

template <typename Native>
void UnlockNativeBuffer(SRenderDevice& device, Native* native) {
  native->Unlock();
  device.Unlock();
}

}  // namespace SCore
