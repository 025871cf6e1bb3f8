#pragma once

#include "SLoger.h"
#include "SOutputDeviceNull.h"

#include <boost/shared_ptr.hpp>

#include <sstream>
#include <string>

namespace TestSupport {

// A log device that keeps every insertion in memory.
class CaptureDevice : public SCore::SOutputDevice {
 public:
  CaptureDevice() : SOutputDevice(true) {}
  std::wostream* GetStream() override { return &m_text; }
  std::wstring Text() const { return m_text.str(); }

 private:
  std::wostringstream m_text;
};

// Gives the global logger a capture device for a scope, then the null device again.
class LogCapture {
 public:
  LogCapture() : m_device(new CaptureDevice) { SCore::g_Loger.SetDevice(m_device); }
  ~LogCapture() { SCore::g_Loger.SetDevice(boost::shared_ptr<SCore::SOutputDevice>(new SCore::SOutputDeviceNull)); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  std::wstring Text() const { return m_device->Text(); }

 private:
  boost::shared_ptr<CaptureDevice> m_device;
};

}  // namespace TestSupport
