#include "SWindow.h"

#include "Platform/Win32.h"
#include "Platform/Win32Window.h"
#include "Platform/Win32WindowClass.h"

namespace SCore {

SWindow::SWindow(const std::string& name) : m_name(name) {}

SWindow::~SWindow() {
  if (m_window != nullptr) DestroyWindow(m_window);
  UnregisterClassA(m_name.c_str(), GetModuleHandleA(nullptr));
}

}  // namespace SCore
