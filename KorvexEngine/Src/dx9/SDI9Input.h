#pragma once

#include "SInput.h"

#include "Platform/DInput8.h"

namespace SCore {

// The keyboard and the mouse of a window, through DirectInput 8.
class SDI9Input : public SInput {
 public:
  ~SDI9Input() override;
  void CreateInput(bool fullScreen, HWND window, DWORD cooperativeFlags, DWORD strategyKind) override;
  void CreateKeyboard(DWORD cooperativeFlags, DWORD strategyKind) override;
  void CreateMouse(bool fullScreen, DWORD cooperativeFlags) override;
  // The keyboard, then the mouse.
  void Update() override;
  void Release() override;

 private:
  IDirectInput8A* m_directInput = nullptr;
  HWND m_deviceWindow = nullptr;
};

}  // namespace SCore
