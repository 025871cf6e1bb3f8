// The cursor and the keyboard as the Win32 calls show them. The main thread's event pump keeps
// them; other threads read the cached values.
#pragma once

#include "Platform/Win32Types.h"

// The cursor in screen pixels; not clipped to any window.
BOOL GetCursorPos(LPPOINT point);

namespace Platform {
namespace InputEvents {
// The cursor is now at x, y in screen pixels.
void CursorMovedTo(LONG x, LONG y);
}  // namespace InputEvents
}  // namespace Platform
