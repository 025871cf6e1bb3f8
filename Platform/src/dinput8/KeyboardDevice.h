#pragma once

#include "InputDevice.h"

namespace Platform {

// The system keyboard: its state is the 256-byte table of DIK codes, 0x80 for a key held down.
class KeyboardDevice : public InputDevice {
 public:
  KeyboardDevice() : InputDevice(c_dfDIKeyboard) {}
  HRESULT GetDeviceState(DWORD size, LPVOID data) override;
  HRESULT GetDeviceData(DWORD objectDataSize, LPDIDEVICEOBJECTDATA data, DWORD* count, DWORD flags) override;
};

}  // namespace Platform
