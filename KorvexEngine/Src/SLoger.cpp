#include "SLoger.h"

#include "SOutputDeviceNull.h"

#include "Platform/NativePath.h"

#include <cstdio>

namespace SCore {

namespace {

class CriticalSectionHolder {
 public:
  explicit CriticalSectionHolder(CRITICAL_SECTION& section) : m_section(section) { EnterCriticalSection(&m_section); }
  ~CriticalSectionHolder() { LeaveCriticalSection(&m_section); }
  CriticalSectionHolder(const CriticalSectionHolder&) = delete;
  CriticalSectionHolder& operator=(const CriticalSectionHolder&) = delete;

 private:
  CRITICAL_SECTION& m_section;
};

}  // namespace

// The first of all global objects to be built, so the last to go: exit-time destructors log.
__attribute__((init_priority(101))) SLoger g_Loger(boost::shared_ptr<SOutputDevice>(new SOutputDeviceNull));

SLoger::SLoger(boost::shared_ptr<SOutputDevice> device) : m_device(device) { InitializeCriticalSection(&m_lock); }

SLoger::~SLoger() { m_device.reset(); }

void SLoger::SetDevice(boost::shared_ptr<SOutputDevice> device) {
  CriticalSectionHolder hold(m_lock);
  m_device = device;
}

template <typename Write>
SLoger& SLoger::Insert(Write write) {
  CriticalSectionHolder hold(m_lock);
  m_device->Begin();
  if (m_device->IsEnabled()) {
    if (std::wostream* stream = m_device->GetStream()) write(*stream);
  }
  m_device->End();
  return *this;
}

SLoger& SLoger::operator<<(const char* text) {
  return Insert([text](std::wostream& stream) {
    const std::size_t length = text == nullptr ? 0 : std::char_traits<char>::length(text);
    stream << Platform::WidenBytes(std::string(text, length));
  });
}

SLoger& SLoger::operator<<(const std::string& text) {
  return Insert([&text](std::wostream& stream) { stream << Platform::WidenBytes(text); });
}

SLoger& SLoger::operator<<(unsigned int value) {
  return Insert([value](std::wostream& stream) { stream << value; });
}

SLoger& SLoger::operator<<(int value) {
  return Insert([value](std::wostream& stream) { stream << value; });
}

SLoger& SLoger::operator<<(float value) {
  return Insert([value](std::wostream& stream) { stream << value; });
}

void SLoger::Lock() { EnterCriticalSection(&m_lock); }

void SLoger::Unlock() { LeaveCriticalSection(&m_lock); }

SLoger& SLoger::operator<<(const void* pointer) {
  return Insert([pointer](std::wostream& stream) { stream << pointer; });
}

std::string GetTimeStamp() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%2d-%02d-%02d %2d:%02d:%02d", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond);
  return stamp;
}

}  // namespace SCore
