// Windows: a window handle backed by an SDL window that carries an OpenGL surface, its creation,
// showing and destruction, and its geometry. Every geometry call uses one fixed frame and caption
// size for captioned windows, whatever the real window manager draws, so that outer and client
// sizes convert both ways; a full-screen window is the whole display, of the back buffer's size.
// Geometry may be read from any thread.
#pragma once

#include "Platform/Win32Types.h"

struct SDL_Window;

#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_CAPTION 0x00C00000L
#define WS_SYSMENU 0x00080000L
#define WS_MINIMIZEBOX 0x00020000L
#define CW_USEDEFAULT ((int)0x80000000)

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10
#define GWL_STYLE (-16)
#define HWND_NOTOPMOST ((HWND)(LONG_PTR)-2)
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_SHOWWINDOW 0x0040

struct WINDOWINFO {
  DWORD cbSize;
  RECT rcWindow;
  RECT rcClient;
  DWORD dwStyle;
  DWORD dwExStyle;
  DWORD dwWindowStatus;
  UINT cxWindowBorders;
  UINT cyWindowBorders;
  ATOM atomWindowType;
  WORD wCreatorVersion;
};
typedef WINDOWINFO* PWINDOWINFO;

// Makes a hidden window whose outer size is width by height; a captioned style loses the stand-in's
// fixed frame and caption from that size, a popup window's client area is the whole of it.
// Its messages go to the procedure of its class (see Win32WindowClass.h); a class that was never
// registered leaves them to DefWindowProcA. Answers null when SDL cannot make the window.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL DestroyWindow(HWND window);

// Client rectangle: origin 0,0 and the client size. Window rectangle: the outer rectangle in
// screen coordinates. Both answer FALSE for a null or destroyed window.
BOOL GetClientRect(HWND window, LPRECT rect);
BOOL GetWindowRect(HWND window, LPRECT rect);
// The outer and the client rectangle in screen coordinates, and the style.
BOOL GetWindowInfo(HWND window, PWINDOWINFO info);
LONG GetWindowLongA(HWND window, int index);

// Shows (and gives the focus to) or hides the window; answers whether it was visible before.
BOOL ShowWindow(HWND window, int command);
// Lets the window procedure paint a waiting WM_PAINT at once.
BOOL UpdateWindow(HWND window);
// Grows a client rectangle to the outer rectangle of a window of that style.
BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu);
// Moves and sizes the window by its outer rectangle.
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
// The desktop: its window rectangle is the display's.
HWND GetDesktopWindow();
BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);

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
