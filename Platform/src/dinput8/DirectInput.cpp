#include "InputStore.h"
#include "KeyboardDevice.h"
#include "MouseDevice.h"

#include "Platform/DInput8.h"

#include <atomic>
#include <mutex>

const GUID IID_IDirectInput8A = {0xBF798030, 0x483A, 0x4DA2, {0xAA, 0x99, 0x5D, 0x64, 0xED, 0x36, 0x97, 0x00}};
const GUID GUID_SysKeyboard = {0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_SysMouse = {0x6F1D2B60, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID DIPROP_BUFFERSIZE = {0x00000001, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

const DIDATAFORMAT c_dfDIKeyboard = {sizeof(DIDATAFORMAT), 0, 0, 256};
const DIDATAFORMAT c_dfDIMouse = {sizeof(DIDATAFORMAT), 0, 0, 16};

namespace {

class DirectInput : public IDirectInput8A {
 public:
  ULONG AddRef() override { return ++m_references; }

  ULONG Release() override {
    const ULONG left = --m_references;
    if (left == 0) delete this;
    return left;
  }

  HRESULT CreateDevice(REFGUID device, LPDIRECTINPUTDEVICE8A* created, void* outer) override {
    Platform::InputStore& store = Platform::InputStore::Instance();
    std::lock_guard<std::recursive_mutex> lock(store.mutex);
    if (const HRESULT injected = store.TakeInjectedFailure("CreateDevice")) return injected;
    if (created == nullptr || outer != nullptr) return DIERR_INVALIDPARAM;
    if (device == GUID_SysKeyboard) {
      *created = new Platform::KeyboardDevice;
    } else if (device == GUID_SysMouse) {
      *created = new Platform::MouseDevice;
    } else {
      return DIERR_DEVICENOTREG;
    }
    return DI_OK;
  }

 private:
  std::atomic<ULONG> m_references{1};
};

}  // namespace

HRESULT DirectInput8Create(HINSTANCE /*instance*/, DWORD version, REFIID interfaceId, LPVOID* created, void* outer) {
  Platform::InputStore& store = Platform::InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  if (const HRESULT injected = store.TakeInjectedFailure("DirectInput8Create")) return injected;
  if (created == nullptr || outer != nullptr) return DIERR_INVALIDPARAM;
  if (version < DIRECTINPUT_VERSION) return DIERR_OLDDIRECTINPUTVERSION;
  if (version > DIRECTINPUT_VERSION) return DIERR_BETADIRECTINPUTVERSION;
  if (interfaceId != IID_IDirectInput8A) return DIERR_NOINTERFACE;
  *created = static_cast<IDirectInput8A*>(new DirectInput);
  return DI_OK;
}
