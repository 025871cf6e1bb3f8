#pragma once

#include "SOutputDevice.h"

#include "Platform/Win32.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace SCore {

// The process's logger. It adds nothing of its own: each insertion goes, under the logger's
// re-entrant lock, to the current device. Callers compose lines from GetTimeStamp() and texts
// that begin with a blank and end with "\n".
class SLoger {
 public:
  explicit SLoger(boost::shared_ptr<SOutputDevice> device);
  virtual ~SLoger();

  SLoger& operator<<(const char* text);
  SLoger& operator<<(const std::string& text);
  SLoger& operator<<(unsigned int value);
  SLoger& operator<<(int value);
  // In the stream's default form: "0.5", "1e+06".
  SLoger& operator<<(float value);
  SLoger& operator<<(const void* pointer);
  // A wide text would otherwise print as a pointer.
  SLoger& operator<<(const wchar_t* text) = delete;

  // A writer that must keep several insertions together (the start-up banner) holds the logger's
  // lock around them; other threads' lines wait. Each Lock is paired with one Unlock.
  void Lock();
  void Unlock();

  // Start-up replaces the device once; the lock makes a later replacement safe as well.
  void SetDevice(boost::shared_ptr<SOutputDevice> device);

 private:
  template <typename Write>
  SLoger& Insert(Write write);

  boost::shared_ptr<SOutputDevice> m_device;
  CRITICAL_SECTION m_lock;
};

// Built before every other global object and released after all of them.
extern SLoger g_Loger;

// The local date and time: "%2d-%02d-%02d %2d:%02d:%02d".
std::string GetTimeStamp();

}  // namespace SCore
