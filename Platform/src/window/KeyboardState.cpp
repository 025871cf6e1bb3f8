#include "KeyboardState.h"

#include "KeyCodes.h"

#include "Platform/Win32Keyboard.h"

#include <cstring>
#include <mutex>

namespace {

std::mutex g_mutex;
BYTE g_keys[256] = {};

const BYTE kDown = 0x80;
const BYTE kToggled = 0x01;

bool IsLockKey(BYTE key) { return key == VK_CAPITAL || key == VK_NUMLOCK || key == VK_SCROLL; }

// The generic modifier is down while either of its two keys is.
void UpdateGeneric(BYTE generic, BYTE left, BYTE right) {
  const bool down = ((g_keys[left] | g_keys[right]) & kDown) != 0;
  g_keys[generic] = static_cast<BYTE>((g_keys[generic] & kToggled) | (down ? kDown : 0));
}

}  // namespace

namespace Platform {
namespace KeyboardState {

void Changed(BYTE virtualKey, bool down) {
  std::lock_guard<std::mutex> lock(g_mutex);
  const bool wasDown = (g_keys[virtualKey] & kDown) != 0;
  BYTE toggled = g_keys[virtualKey] & kToggled;
  if (down && !wasDown && IsLockKey(virtualKey)) toggled ^= kToggled;
  g_keys[virtualKey] = static_cast<BYTE>(toggled | (down ? kDown : 0));
  UpdateGeneric(VK_SHIFT, VK_LSHIFT, VK_RSHIFT);
  UpdateGeneric(VK_CONTROL, VK_LCONTROL, VK_RCONTROL);
  UpdateGeneric(VK_MENU, VK_LMENU, VK_RMENU);
}

void Clear() {
  std::lock_guard<std::mutex> lock(g_mutex);
  std::memset(g_keys, 0, sizeof g_keys);
}

}  // namespace KeyboardState
}  // namespace Platform

BOOL GetKeyboardState(BYTE* state) {
  if (state == nullptr) return FALSE;
  std::lock_guard<std::mutex> lock(g_mutex);
  std::memcpy(state, g_keys, sizeof g_keys);
  return TRUE;
}
