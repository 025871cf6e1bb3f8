// The table behind GetKeyboardState: it changes as key and button messages are removed from the
// queue, so it tells the state as of the message being processed.
#pragma once

#include "Platform/Win32Types.h"

namespace Platform {
namespace KeyboardState {

// A key or button went down or up; virtualKey is the specific key (VK_LSHIFT, not VK_SHIFT).
void Changed(BYTE virtualKey, bool down);
void Clear();

}  // namespace KeyboardState
}  // namespace Platform
