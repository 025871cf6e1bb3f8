// What the message queue needs to know of the windows.
#pragma once

#include "Platform/Win32Messages.h"

#include <SDL.h>

namespace Platform {

// The window behind an SDL window id, or null.
HWND WindowFromSdlId(Uint32 sdlWindowId);
// The procedure of the window's class, or null for a window that is gone.
WNDPROC WindowProcedureOf(HWND window);
// The top-left corner of the client area in screen pixels.
POINT ClientOriginOf(HWND window);
// Whether the window counts as having the focus; the queue keeps this so that the focus given
// by ShowWindow is not reported a second time when SDL tells of it.
bool HasFocus(HWND window);
void SetFocusFlag(HWND window, bool focused);
// A closed window is hidden; it stays usable until the program ends.
void HideClosedWindow(HWND window);

}  // namespace Platform
