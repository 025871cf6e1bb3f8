// What each key of the keyboard is called by the window messages (virtual key), by DirectInput
// (DIK code) and whether it is an extended key, by its SDL scancode.
#pragma once

#include "Platform/Win32Types.h"

#include <SDL_scancode.h>

namespace Platform {

struct KeyCodes {
  BYTE virtualKey;  // 0: the key has none
  BYTE dik;         // 0: the key has none
  bool extended;
};

KeyCodes KeyCodesOf(SDL_Scancode scancode);

// The left and right modifier keys also count as their generic key (VK_SHIFT for VK_LSHIFT).
BYTE GenericVirtualKey(BYTE virtualKey);

}  // namespace Platform
