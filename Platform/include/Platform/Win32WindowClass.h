// Window classes, which give their windows a procedure and a cursor, and the cursor calls.
#pragma once

#include "Platform/Win32Messages.h"

#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define COLOR_WINDOW 5
#define GCLP_HCURSOR (-12)
#define IDC_ARROW ((LPCSTR)32512)
#define IDI_APPLICATION ((LPCSTR)32512)

struct WNDCLASSEXA {
  UINT cbSize;
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
  HICON hIconSm;
};

// Answers 0 for a class without a name or a procedure, or a name that is taken.
ATOM RegisterClassExA(const WNDCLASSEXA* windowClass);
BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);
// GCLP_HCURSOR: the cursor of the window's class. Handles are 64 bits wide here, so this is the
// pointer-sized form of GetClassLongA.
ULONG_PTR GetClassLongPtrA(HWND window, int index);

// The program has no cursor or icon resources: its own module answers null, the system
// (a null module) its arrow.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
// A null cursor hides the system cursor over the program's windows; answers the previous one.
HCURSOR SetCursor(HCURSOR cursor);
// Counts showings against hidings; the cursor shows while the count is not negative.
int ShowCursor(BOOL show);

namespace Platform {
// The procedure of a registered class, or null.
WNDPROC ClassProcedure(LPCSTR className);
HCURSOR ClassCursor(LPCSTR className);
}  // namespace Platform
