// The least of the Win32 window: a window handle backed by an SDL window that carries an OpenGL
// surface, its creation and destruction, and its geometry. Messages and input come later.
#pragma once

#include "Platform/Win32Types.h"

struct SDL_Window;

struct POINT {
  LONG x;
  LONG y;
};

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;

#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_CAPTION 0x00C00000L
#define WS_SYSMENU 0x00080000L
#define WS_MINIMIZEBOX 0x00020000L
#define CW_USEDEFAULT ((int)0x80000000)

// Makes a hidden window whose outer size is width by height; a captioned style loses the stand-in's
// fixed frame and caption from that size, a popup window's client area is the whole of it.
// Answers null when SDL cannot make the window.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL DestroyWindow(HWND window);

// Client rectangle: origin 0,0 and the client size. Window rectangle: the outer rectangle in
// screen coordinates. Both answer FALSE for a null or destroyed window.
BOOL GetClientRect(HWND window, LPRECT rect);
BOOL GetWindowRect(HWND window, LPRECT rect);

namespace Platform {

// The SDL window behind a handle, or null.
SDL_Window* SdlWindowOf(HWND window);
// Whether an SDL window of ours has not been destroyed yet.
bool IsSdlWindowAlive(SDL_Window* window);

// Whether the window is usable by a full-screen program: shown, not minimised, and not having
// lost the input focus that it once held.
bool IsWindowActive(HWND window);

namespace Testing {
// Overrides what IsWindowActive answers for the window, as if it were minimised or restored.
void SetWindowActive(HWND window, bool active);
}  // namespace Testing

}  // namespace Platform
