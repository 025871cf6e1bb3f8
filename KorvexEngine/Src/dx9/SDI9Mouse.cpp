#include "SDI9Mouse.h"

#include "SDIResultTexts.h"
#include "srethrow.h"

#include "Platform/Win32Input.h"
#include "Platform/Win32Window.h"

#include <algorithm>

namespace SCore {

namespace {
const char* const kSource = ".\\Src\\dx9\\SDI9Mouse";
const char* const kDevice = "mouse";
const DWORD kBufferedEvents = 64;
}  // namespace

SDI9Mouse::SDI9Mouse(IDirectInput8A* directInput, HWND window, DWORD cooperativeFlags, bool fullScreen)
    : m_window(window), m_cooperativeFlags(cooperativeFlags) {
  KORVEX_TRY
    try {
      CreateDevice(directInput);
      SetDataFormat();
      SetCooperativeLevel();
      SetProperty();
      Acquire();
    } catch (...) {
      // No destructor runs for a half-made mouse: release its device here.
      DoKill();
      throw;
    }
    m_fullScreen = fullScreen;
  KORVEX_RETHROW("SDI9Mouse::SDI9Mouse", kSource)
}

SDI9Mouse::~SDI9Mouse() {
  try {
    DoKill();
  } catch (const KorvexCoreException&) {
    // A destructor cannot report; the device is gone either way.
  }
}

void SDI9Mouse::CreateDevice(IDirectInput8A* directInput) {
  KORVEX_TRY
    // Without a DirectInput object the device is as uninitialised as DirectInput would report.
    const HRESULT result = directInput == nullptr ? DIERR_NOTINITIALIZED
                                                  : directInput->CreateDevice(GUID_SysMouse, &m_device, nullptr);
    RaiseListedResult(result, DeviceCreationTexts(kDevice));
  KORVEX_RETHROW("SDI9Mouse::CreateDevice", kSource)
}

void SDI9Mouse::SetDataFormat() {
  KORVEX_TRY
    RaiseListedResult(m_device->SetDataFormat(&c_dfDIMouse),
                      DeviceSetupTexts(kDevice, {{DIERR_ACQUIRED, "can't create mouse device : DIERR_ACQUIRED"}}));
  KORVEX_RETHROW("SDI9Mouse::SetDataFormat", kSource)
}

void SDI9Mouse::SetCooperativeLevel() {
  KORVEX_TRY
    RaiseListedResult(m_device->SetCooperativeLevel(m_window, m_cooperativeFlags), DeviceSetupTexts(kDevice));
  KORVEX_RETHROW("SDI9Mouse::SetCooperativeLevel", kSource)
}

void SDI9Mouse::SetProperty() {
  KORVEX_TRY
    DIPROPDWORD bufferSize;
    bufferSize.diph.dwSize = sizeof(DIPROPDWORD);
    bufferSize.diph.dwHeaderSize = sizeof(DIPROPHEADER);
    bufferSize.diph.dwObj = 0;
    bufferSize.diph.dwHow = DIPH_DEVICE;
    bufferSize.dwData = kBufferedEvents;
    RaiseListedResult(m_device->SetProperty(DIPROP_BUFFERSIZE, &bufferSize.diph),
                      DeviceSetupTexts(kDevice, {{DIERR_OBJECTNOTFOUND, "can't create mouse device : DIERR_OBJECTNOTFOUND"},
                                                 {DIERR_UNSUPPORTED, "can't create mouse device : DIERR_UNSUPPORTED"}}));
  KORVEX_RETHROW("SDI9Mouse::SetProperty()", kSource)
}

void SDI9Mouse::Acquire() {
  KORVEX_TRY
    RaiseListedResult(m_device->Acquire(),
                      {{DIERR_INVALIDPARAM, "can't acquire mouse device : DIERR_INVALIDPARAM"},
                       {DIERR_NOTINITIALIZED, "can't acquire mouse device : DIERR_NOTINITIALIZED"}});
  KORVEX_RETHROW("SDI9Mouse::Acquire", kSource)
}

bool SDI9Mouse::GetDeviceData(DIDEVICEOBJECTDATA& event) {
  KORVEX_TRY
    DWORD count = 1;
    const HRESULT result = m_device->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), &event, &count, 0);
    if (result == DIERR_NOTACQUIRED || result == DIERR_INPUTLOST) {
      // Set up again, keeping the buffer size; events flow from the next update on.
      SetDataFormat();
      SetCooperativeLevel();
      Acquire();
      return false;
    }
    // Read on every tick: the table of texts is built only for a failure.
    if (FAILED(result)) {
      RaiseListedResult(result, {{DIERR_NOTBUFFERED, "can't get mouse state - DIERR_NOTBUFFERED"},
                                 {DIERR_NOTINITIALIZED, "can't get mouse state - DIERR_NOTINITIALIZED"},
                                 {DIERR_INVALIDPARAM, "can't get mouse state - DIERR_INVALIDPARAM"}});
    }
    return SUCCEEDED(result) && count == 1;
  KORVEX_RETHROW("SDI9Mouse::GetDeviceData", kSource)
}

void SDI9Mouse::Apply(const DIDEVICEOBJECTDATA& event) {
  if (event.dwOfs <= DIMOFS_Z && event.dwOfs % 4 == 0) {
    // Relative movement counts only in full screen; in a window the cursor position rules.
    if (!m_fullScreen) return;
    const int axis = static_cast<int>(event.dwOfs / 4);
    m_previous[axis] = m_position[axis];
    const LONG moved = m_position[axis] + m_axisScale * static_cast<LONG>(event.dwData);
    m_position[axis] = std::min(std::max(moved, m_minimum[axis]), m_maximum[axis]);
  } else if (event.dwOfs >= DIMOFS_BUTTON0 && event.dwOfs <= DIMOFS_BUTTON7) {
    const int button = static_cast<int>(event.dwOfs - DIMOFS_BUTTON0);
    m_buttonStates[button] = event.dwData != 0 ? 1 : 0;
    m_buttonEvents[button] = m_buttonStates[button];
  }
}

void SDI9Mouse::TakeCursorPosition() {
  POINT cursor{0, 0};
  GetCursorPos(&cursor);
  m_previous[0] = m_position[0];
  m_previous[1] = m_position[1];
  POINT origin{0, 0};
  if (!m_fullScreen) {
    // Measured from the client area's top-left corner, as every other user of the cursor does.
    WINDOWINFO info{};
    info.cbSize = sizeof(WINDOWINFO);
    if (GetWindowInfo(m_window, &info)) origin = POINT{info.rcClient.left, info.rcClient.top};
  }
  m_position[0] = cursor.x - origin.x;
  m_position[1] = cursor.y - origin.y;
}

void SDI9Mouse::DoUpdate() {
  KORVEX_TRY
    DIDEVICEOBJECTDATA event;
    while (GetDeviceData(event)) Apply(event);
    TakeCursorPosition();
  KORVEX_RETHROW("SDI9Mouse::DoUpdate", kSource)
}

void SDI9Mouse::DoKill() {
  KORVEX_TRY
    if (m_device != nullptr) {
      m_device->Unacquire();
      m_device->Release();
      m_device = nullptr;
    }
  KORVEX_RETHROW("SDI9Mouse::DoKill()", kSource)
}

}  // namespace SCore
