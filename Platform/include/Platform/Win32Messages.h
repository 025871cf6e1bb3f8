// The window messages: the main thread's queue, fed by SDL's events, and the window procedures
// that receive them.
#pragma once

#include "Platform/Win32Types.h"

#define WM_NULL 0x0000
#define WM_DESTROY 0x0002
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_SETCURSOR 0x0020
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_COMMAND 0x0111
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_USER 0x0400

#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008

#define HTCLIENT 1
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

#define LOWORD(value) ((WORD)(((UINT_PTR)(value)) & 0xFFFF))
#define HIWORD(value) ((WORD)((((UINT_PTR)(value)) >> 16) & 0xFFFF))
#define MAKELPARAM(low, high) ((LPARAM)(DWORD)(((WORD)(low)) | (((DWORD)(WORD)(high)) << 16)))

typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};
typedef MSG* LPMSG;

// Never waits: takes what SDL has reported, then removes (with PM_REMOVE) and answers one message.
// Posted and input messages come in their order, with mouse moves merged into one; WM_QUIT comes
// once quit was asked for and nothing else waits; WM_PAINT comes last.
BOOL PeekMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax, UINT removal);
// Key messages need no translation here: the engine translates keys itself.
BOOL TranslateMessage(const MSG* message);
// Calls the procedure of the message's window; thread messages are not dispatched.
LRESULT DispatchMessageA(const MSG* message);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// May be called from any thread.
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

namespace Platform {
// The window's user message (WM_USER) sent through SDL's own event queue, as another thread or a
// developer's key sends it; from any thread. It reaches the window with a later PeekMessageA.
bool PostUserMessage(HWND window, WPARAM wParam, LPARAM lParam);
}  // namespace Platform
