// The state behind the DirectInput devices, shared by the event pump and the devices.
#pragma once

#include "Platform/DInput8.h"

#include <array>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>

namespace Platform {

class MouseDevice;

struct InputStore {
  std::recursive_mutex mutex;
  std::array<BYTE, 256> keys{};
  std::array<bool, 8> buttons{};
  std::set<MouseDevice*> mice;
  // Raised by LoseAcquisition; a device acquired under an older value has lost its input.
  unsigned lossGeneration = 0;
  DWORD sequence = 0;
  POINT cursor{0, 0};
  std::map<std::string, HRESULT> injectedFailures;

  static InputStore& Instance();

  // The injected result for the operation, once; S_OK when none is waiting.
  HRESULT TakeInjectedFailure(const char* operation);
};

}  // namespace Platform
