#pragma once

#include "Platform/Win32Types.h"

#include <string>

namespace SCore {

// The holder of the application window. Its name is both the window class's name and the title.
// When the holder goes, so do the window and then its class (a class cannot be unregistered while
// a window of it exists).
class SWindow {
 public:
  explicit SWindow(const std::string& name);
  ~SWindow();
  SWindow(const SWindow&) = delete;
  SWindow& operator=(const SWindow&) = delete;

  HWND m_window = nullptr;
  std::string m_name;
  HCURSOR m_classCursor = nullptr;
};

}  // namespace SCore
