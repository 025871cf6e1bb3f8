#include "Platform/Win32Window.h"

#include "MessageQueue.h"
#include "SdlVideo.h"
#include "WindowRegistry.h"

#include "Platform/Win32WindowClass.h"

#include <SDL2/SDL.h>

#include <mutex>
#include <optional>
#include <set>
#include <string>

// A handle is the address of one of these; the set of live handles rejects stale or foreign ones.
struct HWND__ {
  SDL_Window* sdlWindow = nullptr;
  DWORD style = 0;
  bool hadFocus = false;
  std::optional<bool> activeOverride;
  WNDPROC procedure = nullptr;
  HCURSOR classCursor = nullptr;
  // Whether the window procedure has been told that it has the focus.
  bool focused = false;
  // Shown as an icon only: the client area is empty. Kept here because not every video driver
  // reports minimising.
  bool minimised = false;
};

namespace {

// Frame and caption sizes that every geometry call of the stand-in uses, whatever the real window
// manager draws, so that outer and client sizes convert both ways without asking it.
constexpr int kFrameSize = 4;
constexpr int kCaptionSize = 24;

std::recursive_mutex g_windowsMutex;
std::set<HWND> g_windows;

bool IsLive(HWND window) { return window != nullptr && g_windows.count(window) != 0; }

// The desktop is no window of ours; its handle only answers geometry.
int g_desktopToken;
HWND const kDesktop = reinterpret_cast<HWND>(&g_desktopToken);

bool IsFullScreen(HWND window) { return (SDL_GetWindowFlags(window->sdlWindow) & SDL_WINDOW_FULLSCREEN) != 0; }

RECT DesktopRect() {
  SDL_DisplayMode mode{};
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_GetDesktopDisplayMode(0, &mode) != 0) return RECT{0, 0, 0, 0};
  return RECT{0, 0, mode.w, mode.h};
}

// The client area in screen coordinates; a full-screen window covers the display from 0, 0.
RECT ClientScreenRect(HWND window) {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window->sdlWindow, &width, &height);
  if (!IsFullScreen(window)) SDL_GetWindowPosition(window->sdlWindow, &x, &y);
  return RECT{x, y, x + width, y + height};
}

RECT OuterRect(DWORD style, const RECT& client, bool fullScreen) {
  RECT outer = client;
  if (!fullScreen) AdjustWindowRect(&outer, style, FALSE);
  return outer;
}

bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

void ClientSizeFromOuter(DWORD style, int width, int height, int* clientWidth, int* clientHeight) {
  const bool framed = HasCaption(style);
  *clientWidth = width - (framed ? 2 * kFrameSize : 0);
  *clientHeight = height - (framed ? 2 * kFrameSize + kCaptionSize : 0);
}

}  // namespace

HWND CreateWindowExA(DWORD /*exStyle*/, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND /*parent*/, HMENU /*menu*/, HINSTANCE /*instance*/, LPVOID /*param*/) {
  if (!Platform::StartSdlVideo()) return nullptr;
  int clientWidth = 0;
  int clientHeight = 0;
  ClientSizeFromOuter(style, width, height, &clientWidth, &clientHeight);
  if (clientWidth <= 0 || clientHeight <= 0) return nullptr;
  const int left = x == CW_USEDEFAULT ? SDL_WINDOWPOS_UNDEFINED : x;
  const int top = y == CW_USEDEFAULT ? SDL_WINDOWPOS_UNDEFINED : y;
  // No depth or stencil buffer: a device keeps its own, and a software rasteriser fills a
  // framebuffer without one far faster.
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  SDL_Window* sdlWindow = SDL_CreateWindow(windowName != nullptr ? windowName : "", left, top, clientWidth,
                                           clientHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (sdlWindow == nullptr) return nullptr;
  HWND window = new HWND__;
  window->sdlWindow = sdlWindow;
  window->style = style;
  window->procedure = Platform::ClassProcedure(className);
  window->classCursor = Platform::ClassCursor(className);
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  g_windows.insert(window);
  return window;
}

BOOL DestroyWindow(HWND window) {
  {
    std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
    if (!IsLive(window)) return FALSE;
    g_windows.erase(window);
  }
  SDL_DestroyWindow(window->sdlWindow);
  delete window;
  return TRUE;
}

BOOL GetClientRect(HWND window, LPRECT rect) {
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  if (window == kDesktop && rect != nullptr) {
    *rect = DesktopRect();
    return TRUE;
  }
  if (!IsLive(window) || rect == nullptr) return FALSE;
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window->sdlWindow, &width, &height);
  *rect = RECT{0, 0, width, height};
  return TRUE;
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  if (window == kDesktop && rect != nullptr) {
    *rect = DesktopRect();
    return TRUE;
  }
  if (!IsLive(window) || rect == nullptr) return FALSE;
  *rect = OuterRect(window->style, ClientScreenRect(window), IsFullScreen(window));
  return TRUE;
}

BOOL GetWindowInfo(HWND window, PWINDOWINFO info) {
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  if (!IsLive(window) || info == nullptr) return FALSE;
  const bool fullScreen = IsFullScreen(window);
  info->rcClient = ClientScreenRect(window);
  if (window->minimised) {
    info->rcClient.right = info->rcClient.left;
    info->rcClient.bottom = info->rcClient.top;
  }
  info->rcWindow = OuterRect(window->style, info->rcClient, fullScreen);
  info->dwStyle = window->style;
  info->dwExStyle = 0;
  info->dwWindowStatus = window->focused ? 1 : 0;
  info->cxWindowBorders = static_cast<UINT>(info->rcClient.left - info->rcWindow.left);
  info->cyWindowBorders = static_cast<UINT>(info->rcWindow.bottom - info->rcClient.bottom);
  info->atomWindowType = 0;
  info->wCreatorVersion = 0x0500;
  return TRUE;
}

LONG GetWindowLongA(HWND window, int index) {
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  if (!IsLive(window) || index != GWL_STYLE) return 0;
  return static_cast<LONG>(window->style);
}

BOOL ShowWindow(HWND window, int command) {
  WNDPROC procedure = nullptr;
  bool wasVisible = false;
  {
    std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
    if (!IsLive(window)) return FALSE;
    wasVisible = (SDL_GetWindowFlags(window->sdlWindow) & SDL_WINDOW_SHOWN) != 0;
    if (command == SW_HIDE) {
      SDL_HideWindow(window->sdlWindow);
      return wasVisible;
    }
    window->minimised = command == SW_MINIMIZE;
    if (window->minimised) {
      SDL_MinimizeWindow(window->sdlWindow);
      return wasVisible;
    }
    SDL_ShowWindow(window->sdlWindow);
    if (window->focused) return wasVisible;
    // Showing activates the window, and its procedure hears of the focus at once, as it would
    // on Windows; SDL's own report of it later is then not passed on a second time.
    window->focused = true;
    procedure = window->procedure;
  }
  if (procedure != nullptr) procedure(window, WM_SETFOCUS, 0, 0);
  return wasVisible;
}

BOOL UpdateWindow(HWND window) {
  MSG waiting;
  if (!Platform::MessageQueue::Instance().Take(waiting, false) || waiting.message != WM_PAINT ||
      waiting.hwnd != window) {
    return TRUE;
  }
  if (const WNDPROC procedure = Platform::WindowProcedureOf(window)) {
    procedure(window, WM_PAINT, 0, 0);
  } else {
    DefWindowProcA(window, WM_PAINT, 0, 0);
  }
  return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL /*menu*/) {
  if (rect == nullptr) return FALSE;
  if (HasCaption(style)) {
    rect->left -= kFrameSize;
    rect->right += kFrameSize;
    rect->top -= kFrameSize + kCaptionSize;
    rect->bottom += kFrameSize;
  }
  return TRUE;
}

BOOL SetWindowPos(HWND window, HWND /*insertAfter*/, int x, int y, int width, int height, UINT flags) {
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  if (!IsLive(window)) return FALSE;
  RECT frame{0, 0, 0, 0};
  AdjustWindowRect(&frame, window->style, FALSE);
  if ((flags & SWP_NOSIZE) == 0) {
    int clientWidth = 0;
    int clientHeight = 0;
    ClientSizeFromOuter(window->style, width, height, &clientWidth, &clientHeight);
    if (clientWidth <= 0 || clientHeight <= 0) return FALSE;
    SDL_SetWindowSize(window->sdlWindow, clientWidth, clientHeight);
  }
  if ((flags & SWP_NOMOVE) == 0) SDL_SetWindowPosition(window->sdlWindow, x - frame.left, y - frame.top);
  if (flags & SWP_SHOWWINDOW) SDL_ShowWindow(window->sdlWindow);
  return TRUE;
}

HWND GetDesktopWindow() { return kDesktop; }

ULONG_PTR GetClassLongPtrA(HWND window, int index) {
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  if (!IsLive(window) || index != GCLP_HCURSOR) return 0;
  return reinterpret_cast<ULONG_PTR>(window->classCursor);
}

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
  if (rect == nullptr) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

namespace Platform {

HWND WindowFromSdlId(Uint32 sdlWindowId) {
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  for (HWND live : g_windows) {
    if (SDL_GetWindowID(live->sdlWindow) == sdlWindowId) return live;
  }
  return nullptr;
}

WNDPROC WindowProcedureOf(HWND window) {
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  return IsLive(window) ? window->procedure : nullptr;
}

POINT ClientOriginOf(HWND window) {
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  if (!IsLive(window)) return POINT{0, 0};
  const RECT client = ClientScreenRect(window);
  return POINT{client.left, client.top};
}

bool HasFocus(HWND window) {
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  return IsLive(window) && window->focused;
}

void SetFocusFlag(HWND window, bool focused) {
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  if (IsLive(window)) window->focused = focused;
}

void HideClosedWindow(HWND window) {
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  if (IsLive(window)) SDL_HideWindow(window->sdlWindow);
}

SDL_Window* SdlWindowOf(HWND window) {
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  return IsLive(window) ? window->sdlWindow : nullptr;
}

bool IsSdlWindowAlive(SDL_Window* window) {
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  for (HWND live : g_windows) {
    if (live->sdlWindow == window) return true;
  }
  return false;
}

bool IsWindowActive(HWND window) {
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  if (!IsLive(window)) return false;
  if (window->activeOverride) return *window->activeOverride;
  const Uint32 flags = SDL_GetWindowFlags(window->sdlWindow);
  const bool focused = (flags & SDL_WINDOW_INPUT_FOCUS) != 0;
  // Headless windows never get the focus; only a focus once held and then lost counts as losing it.
  if (focused) window->hadFocus = true;
  const bool lostFocus = window->hadFocus && !focused;
  return (flags & SDL_WINDOW_MINIMIZED) == 0 && !lostFocus;
}

namespace Testing {

void SetWindowActive(HWND window, bool active) {
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  if (IsLive(window)) window->activeOverride = active;
}

}  // namespace Testing
}  // namespace Platform
