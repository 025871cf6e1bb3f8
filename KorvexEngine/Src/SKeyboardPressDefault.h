#pragma once

#include "SKeyboardPressStrategy.h"

namespace SCore {

// A key counts as pressed for as long as it is held.
class SKeyboardPressDefault : public SKeyboardPressStrategy {
 public:
  BYTE IsPressed(BYTE key) override { return m_keyStates[key] & 0x80; }
};

}  // namespace SCore
