#include "SKeyboardPressOnce.h"

namespace SCore {

BYTE SKeyboardPressOnce::IsPressed(BYTE key) {
  const BYTE down = m_keyStates[key] & 0x80;
  const BYTE latched = m_latches[key] & 0x80;
  if (down == latched) return 0;
  if (latched != 0) {
    m_latches[key] = 0;
    return 0;
  }
  m_latches[key] = 0x80;
  return 0x80;
}

}  // namespace SCore
