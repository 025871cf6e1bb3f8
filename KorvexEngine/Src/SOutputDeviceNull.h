#pragma once

#include "SOutputDevice.h"

namespace SCore {

// Swallows everything: the logger's device until start-up installs the log file.
class SOutputDeviceNull : public SOutputDevice {
 public:
  SOutputDeviceNull() : SOutputDevice(false) {}
  std::wostream* GetStream() override { return nullptr; }
};

}  // namespace SCore
