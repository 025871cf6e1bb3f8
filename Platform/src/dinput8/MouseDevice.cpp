#include "MouseDevice.h"

#include <cstring>

namespace Platform {

MouseDevice::MouseDevice() : InputDevice(c_dfDIMouse) {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  store.mice.insert(this);
}

MouseDevice::~MouseDevice() {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  store.mice.erase(this);
}

void MouseDevice::Buffer(DWORD offset, DWORD data, DWORD time, DWORD sequence) {
  // Only an acquired device with a buffer collects events.
  if (BufferSize() == 0 || !IsAcquired(InputStore::Instance())) return;
  if (m_events.size() >= BufferSize()) {
    m_events.pop_front();
    m_overflowed = true;
  }
  m_events.push_back(DIDEVICEOBJECTDATA{offset, data, time, sequence, 0});
}

HRESULT MouseDevice::GetDeviceState(DWORD size, LPVOID data) {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  if (const HRESULT injected = store.TakeInjectedFailure("GetDeviceState")) return injected;
  // Three relative axes (no movement since the last state here) and four buttons.
  const DWORD stateSize = 3 * sizeof(LONG) + 4;
  if (data == nullptr || size != stateSize) return DIERR_INVALIDPARAM;
  if (const HRESULT acquired = CheckAcquired(store)) return acquired;
  BYTE state[stateSize] = {};
  for (int button = 0; button < 4; ++button) state[3 * sizeof(LONG) + button] = store.buttons[button] ? 0x80 : 0;
  std::memcpy(data, state, stateSize);
  return DI_OK;
}

HRESULT MouseDevice::GetDeviceData(DWORD objectDataSize, LPDIDEVICEOBJECTDATA data, DWORD* count, DWORD /*flags*/) {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  if (const HRESULT injected = store.TakeInjectedFailure("GetDeviceData")) return injected;
  if (BufferSize() == 0) return DIERR_NOTBUFFERED;
  if (count == nullptr || objectDataSize != sizeof(DIDEVICEOBJECTDATA)) return DIERR_INVALIDPARAM;
  if (const HRESULT acquired = CheckAcquired(store)) {
    *count = 0;
    return acquired;
  }
  DWORD taken = 0;
  while (taken < *count && !m_events.empty()) {
    if (data != nullptr) data[taken] = m_events.front();
    m_events.pop_front();
    ++taken;
  }
  *count = taken;
  const bool overflowed = m_overflowed;
  m_overflowed = false;
  return overflowed ? DI_BUFFEROVERFLOW : DI_OK;
}

HRESULT MouseDevice::Unacquire() {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  m_events.clear();
  return InputDevice::Unacquire();
}

}  // namespace Platform
