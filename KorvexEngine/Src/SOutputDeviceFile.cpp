#include "SOutputDeviceFile.h"

#include "utf8_conversion.h"

#include "Platform/NativePath.h"

#include <locale>

namespace SCore {

SOutputDeviceFile::SOutputDeviceFile(const wchar_t* fileName)
    : SOutputDevice(true), m_perLine(false), m_fileName(fileName == nullptr ? L"" : fileName) {
  // The locale owns the facet; it must be in place before the file opens.
  m_stream.imbue(std::locale(m_stream.getloc(), new utf8_conversion));
  m_stream.open(Platform::ToNativePath(m_fileName), std::ios::out);
}

void SOutputDeviceFile::Begin() {
  if (m_perLine) m_stream.open(Platform::ToNativePath(m_fileName), std::ios::out | std::ios::app);
}

void SOutputDeviceFile::End() {
  if (m_perLine) {
    m_stream.close();
  } else {
    // Each write reaches the file at once: the log is read while the program runs, and it must
    // hold everything up to a crash.
    m_stream.flush();
  }
}

}  // namespace SCore
