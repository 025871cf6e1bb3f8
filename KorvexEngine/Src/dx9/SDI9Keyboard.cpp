#include "SDI9Keyboard.h"

#include "KorvexCoreDX9Exception.h"
#include "SDIResultTexts.h"
#include "srethrow.h"

namespace SCore {

namespace {
const char* const kSource = ".\\Src\\dx9\\SDI9Keyboard";
const char* const kDevice = "keyboard";
}  // namespace

SDI9Keyboard::SDI9Keyboard(IDirectInput8A* directInput, HWND window, DWORD cooperativeFlags, DWORD strategyKind)
    : SKeyboard(strategyKind), m_window(window), m_cooperativeFlags(cooperativeFlags) {
  KORVEX_TRY
    try {
      CreateDevice(directInput);
      SetDataFormat();
      SetCooperativeLevel();
      Acquire();
    } catch (...) {
      // No destructor runs for a half-made keyboard: release its device here.
      DoKill();
      throw;
    }
  KORVEX_RETHROW("SDI9Keyboard::SDI9Keyboard", kSource)
}

SDI9Keyboard::~SDI9Keyboard() {
  try {
    DoKill();
  } catch (const KorvexCoreException&) {
    // A destructor cannot report; the device is gone either way.
  }
}

void SDI9Keyboard::CreateDevice(IDirectInput8A* directInput) {
  KORVEX_TRY
    // Without a DirectInput object the device is as uninitialised as DirectInput would report.
    const HRESULT result = directInput == nullptr ? DIERR_NOTINITIALIZED
                                                  : directInput->CreateDevice(GUID_SysKeyboard, &m_device, nullptr);
    RaiseListedResult(result, DeviceCreationTexts(kDevice));
  KORVEX_RETHROW("SDI9Keyboard::CreateDevice", kSource)
}

void SDI9Keyboard::SetDataFormat() {
  KORVEX_TRY
    RaiseListedResult(m_device->SetDataFormat(&c_dfDIKeyboard),
                      DeviceSetupTexts(kDevice, {{DIERR_ACQUIRED, "can't create keyboard device : DIERR_ACQUIRED"}}));
  KORVEX_RETHROW("SDI9Keyboard::SetDataFormat", kSource)
}

void SDI9Keyboard::SetCooperativeLevel() {
  KORVEX_TRY
    RaiseListedResult(m_device->SetCooperativeLevel(m_window, m_cooperativeFlags), DeviceSetupTexts(kDevice));
  KORVEX_RETHROW("SDI9Keyboard::SetCooperativeLevel", kSource)
}

void SDI9Keyboard::Acquire() {
  KORVEX_TRY
    RaiseListedResult(m_device->Acquire(),
                      {{DIERR_INVALIDPARAM, "can't acquire keyboard device : DIERR_INVALIDPARAM:"},
                       {DIERR_NOTINITIALIZED, "can't acquire keyboard device : DIERR_NOTINITIALIZED"}});
  KORVEX_RETHROW("SDI9Keyboard::Acquire", kSource)
}

void SDI9Keyboard::DoUpdate() {
  KORVEX_TRY
    const HRESULT result = m_device->GetDeviceState(256, m_strategy->KeyStates());
    if (result == DIERR_NOTACQUIRED || result == DIERR_INPUTLOST) {
      // Set up again now; the table refreshes from the next update on.
      SetDataFormat();
      SetCooperativeLevel();
      Acquire();
    } else if (FAILED(result)) {
      throw KorvexCoreDX9Exception("can't get keyboard state");
    }
  KORVEX_RETHROW("SDI9Keyboard::DoUpdate", kSource)
}

void SDI9Keyboard::DoKill() {
  KORVEX_TRY
    if (m_device != nullptr) {
      m_device->Unacquire();
      m_device->Release();
      m_device = nullptr;
    }
  KORVEX_RETHROW("SDI9Keyboard::DoKill", kSource)
}

}  // namespace SCore
