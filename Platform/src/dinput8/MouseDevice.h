#pragma once

#include "InputDevice.h"

#include <deque>

namespace Platform {

// The system mouse, read buffered: button and axis events wait in a queue of the size that
// DIPROP_BUFFERSIZE gave, the oldest dropped when it overflows.
class MouseDevice : public InputDevice {
 public:
  MouseDevice();
  ~MouseDevice() override;
  HRESULT GetDeviceState(DWORD size, LPVOID data) override;
  HRESULT GetDeviceData(DWORD objectDataSize, LPDIDEVICEOBJECTDATA data, DWORD* count, DWORD flags) override;
  HRESULT Unacquire() override;

  // Called by the input store, under its lock, for every event of the mouse.
  void Buffer(DWORD offset, DWORD data, DWORD time, DWORD sequence);

 private:
  std::deque<DIDEVICEOBJECTDATA> m_events;
  bool m_overflowed = false;
};

}  // namespace Platform
