#pragma once

#include "SLoger.h"
#include "SOutputDeviceNull.h"

#include <boost/shared_ptr.hpp>

#include <mutex>
#include <sstream>
#include <string>

namespace TestSupport {

// A log device that keeps every insertion in memory. Tests read it while other threads log, so
// each write (between Begin and End) and each read holds the device's own lock.
class CaptureDevice : public SCore::SOutputDevice {
 public:
  CaptureDevice() : SOutputDevice(true) {}
  std::wostream* GetStream() override { return &m_text; }
  void Begin() override { m_mutex.lock(); }
  void End() override { m_mutex.unlock(); }
  std::wstring Text() {
    std::lock_guard<std::recursive_mutex> hold(m_mutex);
    return m_text.str();
  }

 private:
  std::recursive_mutex m_mutex;
  std::wostringstream m_text;
};

// Gives the global logger a capture device for a scope, then the null device again.
class LogCapture {
 public:
  LogCapture() : m_device(new CaptureDevice) { SCore::g_Loger.SetDevice(m_device); }
  ~LogCapture() { SCore::g_Loger.SetDevice(boost::shared_ptr<SCore::SOutputDevice>(new SCore::SOutputDeviceNull)); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  std::wstring Text() { return m_device->Text(); }

 private:
  boost::shared_ptr<CaptureDevice> m_device;
};

}  // namespace TestSupport
