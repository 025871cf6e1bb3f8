#include "InputDevice.h"

#include <mutex>

namespace Platform {

namespace {

bool ExactlyOneOf(DWORD flags, DWORD first, DWORD second) { return ((flags & first) != 0) != ((flags & second) != 0); }

}  // namespace

InputDevice::InputDevice(const DIDATAFORMAT& expectedFormat) : m_expectedFormat(expectedFormat) {}

ULONG InputDevice::AddRef() { return ++m_references; }

ULONG InputDevice::Release() {
  const ULONG left = --m_references;
  if (left == 0) delete this;
  return left;
}

HRESULT InputDevice::SetDataFormat(LPCDIDATAFORMAT format) {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  if (const HRESULT injected = store.TakeInjectedFailure("SetDataFormat")) return injected;
  if (m_acquired) return DIERR_ACQUIRED;
  if (format != &m_expectedFormat) return DIERR_INVALIDPARAM;
  m_hasFormat = true;
  return DI_OK;
}

HRESULT InputDevice::SetCooperativeLevel(HWND /*window*/, DWORD flags) {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  if (const HRESULT injected = store.TakeInjectedFailure("SetCooperativeLevel")) return injected;
  if (!ExactlyOneOf(flags, DISCL_EXCLUSIVE, DISCL_NONEXCLUSIVE) || !ExactlyOneOf(flags, DISCL_FOREGROUND, DISCL_BACKGROUND)) {
    return DIERR_INVALIDPARAM;
  }
  return DI_OK;
}

HRESULT InputDevice::SetProperty(REFGUID property, LPCDIPROPHEADER header) {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  if (const HRESULT injected = store.TakeInjectedFailure("SetProperty")) return injected;
  if (header == nullptr || header->dwHeaderSize != sizeof(DIPROPHEADER)) return DIERR_INVALIDPARAM;
  if (property != DIPROP_BUFFERSIZE) return DIERR_UNSUPPORTED;
  if (header->dwSize != sizeof(DIPROPDWORD) || header->dwHow != DIPH_DEVICE || header->dwObj != 0) {
    return DIERR_INVALIDPARAM;
  }
  if (m_acquired) return DIERR_ACQUIRED;
  m_bufferSize = reinterpret_cast<const DIPROPDWORD*>(header)->dwData;
  return DI_OK;
}

HRESULT InputDevice::Acquire() {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  if (const HRESULT injected = store.TakeInjectedFailure("Acquire")) return injected;
  if (!m_hasFormat) return DIERR_INVALIDPARAM;
  if (m_acquired && m_acquiredInGeneration == store.lossGeneration) return S_FALSE;
  m_acquired = true;
  m_acquiredInGeneration = store.lossGeneration;
  return DI_OK;
}

HRESULT InputDevice::Unacquire() {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  if (!m_acquired) return S_FALSE;
  m_acquired = false;
  return DI_OK;
}

bool InputDevice::IsAcquired(const InputStore& store) const {
  return m_acquired && m_acquiredInGeneration == store.lossGeneration;
}

HRESULT InputDevice::CheckAcquired(InputStore& store) {
  if (!m_acquired) return DIERR_NOTACQUIRED;
  if (m_acquiredInGeneration != store.lossGeneration) {
    m_acquired = false;
    return DIERR_INPUTLOST;
  }
  return DI_OK;
}

}  // namespace Platform
