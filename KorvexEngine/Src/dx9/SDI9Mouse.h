#pragma once

#include "SMouse.h"

#include "Platform/DInput8.h"

namespace SCore {

// The system mouse through DirectInput, read buffered: each update drains the button and axis
// events, then takes the cursor position from the window system.
class SDI9Mouse : public SMouse {
 public:
  SDI9Mouse(IDirectInput8A* directInput, HWND window, DWORD cooperativeFlags, bool fullScreen);
  ~SDI9Mouse() override;
  void DoUpdate() override;
  void DoKill() override;

 private:
  void CreateDevice(IDirectInput8A* directInput);
  void SetDataFormat();
  void SetCooperativeLevel();
  void SetProperty();
  void Acquire();
  // Answers false when the buffer is empty or the read failed.
  bool GetDeviceData(DIDEVICEOBJECTDATA& event);
  void Apply(const DIDEVICEOBJECTDATA& event);
  void TakeCursorPosition();

  HWND m_window;
  IDirectInputDevice8A* m_device = nullptr;
  DWORD m_cooperativeFlags;
  bool m_fullScreen = false;
};

}  // namespace SCore
