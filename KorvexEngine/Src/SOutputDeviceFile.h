#pragma once

#include "SOutputDevice.h"

#include <fstream>
#include <string>

namespace SCore {

// Writes the log as UTF-8 text with CR LF line ends. A file that cannot be made leaves the stream
// failed: later writes are dropped and the program runs on.
class SOutputDeviceFile : public SOutputDevice {
 public:
  explicit SOutputDeviceFile(const wchar_t* fileName);
  std::wostream* GetStream() override { return &m_stream; }
  void Begin() override;
  void End() override;

 private:
  std::wofstream m_stream;
  // When set, the file is opened for each write and closed after it; nothing sets it today.
  bool m_perLine;
  std::wstring m_fileName;
};

}  // namespace SCore
