#pragma once

#include "SKeyboard.h"
#include "SMouse.h"

#include "Platform/Win32Types.h"

#include <boost/shared_ptr.hpp>

namespace SCore {

// The keyboard and the mouse of one window. The window handle is set by the application frame
// and read by the UI input pump; the input classes themselves never read it.
class SInput {
 public:
  virtual ~SInput();
  virtual void CreateInput(bool fullScreen, HWND window, DWORD cooperativeFlags, DWORD strategyKind) = 0;
  virtual void CreateKeyboard(DWORD cooperativeFlags, DWORD strategyKind) = 0;
  virtual void CreateMouse(bool fullScreen, DWORD cooperativeFlags) = 0;
  virtual void Update() = 0;
  virtual void Release() = 0;

  const boost::shared_ptr<SMouse>& GetMouse() const { return m_mouse; }
  const boost::shared_ptr<SKeyboard>& GetKeyboard() const { return m_keyboard; }
  HWND GetWindow() const { return m_window; }
  void SetWindow(HWND window) { m_window = window; }

 protected:
  boost::shared_ptr<SMouse> m_mouse;
  boost::shared_ptr<SKeyboard> m_keyboard;
  HWND m_window = nullptr;
};

}  // namespace SCore
