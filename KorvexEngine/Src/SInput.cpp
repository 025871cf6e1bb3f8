#include "SInput.h"

namespace SCore {

SInput::~SInput() {
  m_keyboard.reset();
  m_mouse.reset();
}

}  // namespace SCore
