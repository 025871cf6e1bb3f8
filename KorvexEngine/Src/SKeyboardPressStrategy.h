#pragma once

#include "Platform/Win32Types.h"

namespace SCore {

// Decides whether a key counts as pressed. Each kind holds the 256-byte key-state table that the
// keyboard's DoUpdate fills, indexed by DirectInput key code.
class SKeyboardPressStrategy {
 public:
  virtual ~SKeyboardPressStrategy() = default;
  // Non-zero when pressed.
  virtual BYTE IsPressed(BYTE key) = 0;

  BYTE* KeyStates() { return m_keyStates; }

 protected:
  BYTE m_keyStates[256] = {};
};

}  // namespace SCore
