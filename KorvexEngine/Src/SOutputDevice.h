#pragma once

#include <ostream>

namespace SCore {

// A log sink. The logger writes to GetStream only while the device is enabled, between Begin and End.
class SOutputDevice {
 public:
  explicit SOutputDevice(bool enabled) : m_enabled(enabled) {}
  virtual ~SOutputDevice() = default;
  virtual std::wostream* GetStream() = 0;
  virtual void Begin() {}
  virtual void End() {}

  bool IsEnabled() const { return m_enabled; }

 protected:
  bool m_enabled;
};

}  // namespace SCore
