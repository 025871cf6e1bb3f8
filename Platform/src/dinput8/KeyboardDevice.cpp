#include "KeyboardDevice.h"

#include <cstring>

namespace Platform {

HRESULT KeyboardDevice::GetDeviceState(DWORD size, LPVOID data) {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  if (const HRESULT injected = store.TakeInjectedFailure("GetDeviceState")) return injected;
  if (data == nullptr || size != store.keys.size()) return DIERR_INVALIDPARAM;
  if (const HRESULT acquired = CheckAcquired(store)) return acquired;
  std::memcpy(data, store.keys.data(), store.keys.size());
  return DI_OK;
}

// Key events are not buffered here; the engine polls the key table.
HRESULT KeyboardDevice::GetDeviceData(DWORD, LPDIDEVICEOBJECTDATA, DWORD*, DWORD) { return DIERR_NOTBUFFERED; }

}  // namespace Platform
