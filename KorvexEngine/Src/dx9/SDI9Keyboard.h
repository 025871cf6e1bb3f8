#pragma once

#include "SKeyboard.h"

#include "Platform/DInput8.h"

namespace SCore {

// The system keyboard through DirectInput: its key-state table is read on every update, and the
// device is set up again whenever it reports itself lost or not acquired.
class SDI9Keyboard : public SKeyboard {
 public:
  SDI9Keyboard(IDirectInput8A* directInput, HWND window, DWORD cooperativeFlags, DWORD strategyKind);
  ~SDI9Keyboard() override;
  void DoUpdate() override;
  void DoKill() override;

 private:
  void CreateDevice(IDirectInput8A* directInput);
  void SetDataFormat();
  void SetCooperativeLevel();
  void Acquire();

  HWND m_window;
  IDirectInputDevice8A* m_device = nullptr;
  DWORD m_cooperativeFlags;
};

}  // namespace SCore
