#include "Platform/Win32Window.h"

#include <SDL2/SDL.h>

#include <mutex>
#include <optional>
#include <set>

#include "SdlVideo.h"

// A handle is the address of one of these; the set of live handles rejects stale or foreign ones.
struct HWND__ {
  SDL_Window* sdlWindow = nullptr;
  DWORD style = 0;
  bool hadFocus = false;
  std::optional<bool> activeOverride;
};

namespace {

// Frame and caption sizes that every geometry call of the stand-in uses, whatever the real window
// manager draws, so that outer and client sizes convert both ways without asking it.
constexpr int kFrameSize = 4;
constexpr int kCaptionSize = 24;

std::recursive_mutex g_windowsMutex;
std::set<HWND> g_windows;

bool IsLive(HWND window) { return window != nullptr && g_windows.count(window) != 0; }

bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

void ClientSizeFromOuter(DWORD style, int width, int height, int* clientWidth, int* clientHeight) {
  const bool framed = HasCaption(style);
  *clientWidth = width - (framed ? 2 * kFrameSize : 0);
  *clientHeight = height - (framed ? 2 * kFrameSize + kCaptionSize : 0);
}

}  // namespace

HWND CreateWindowExA(DWORD /*exStyle*/, LPCSTR /*className*/, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND /*parent*/, HMENU /*menu*/, HINSTANCE /*instance*/, LPVOID /*param*/) {
  if (!Platform::StartSdlVideo()) return nullptr;
  int clientWidth = 0;
  int clientHeight = 0;
  ClientSizeFromOuter(style, width, height, &clientWidth, &clientHeight);
  if (clientWidth <= 0 || clientHeight <= 0) return nullptr;
  const int left = x == CW_USEDEFAULT ? SDL_WINDOWPOS_UNDEFINED : x;
  const int top = y == CW_USEDEFAULT ? SDL_WINDOWPOS_UNDEFINED : y;
  SDL_Window* sdlWindow = SDL_CreateWindow(windowName != nullptr ? windowName : "", left, top, clientWidth,
                                           clientHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (sdlWindow == nullptr) return nullptr;
  HWND window = new HWND__;
  window->sdlWindow = sdlWindow;
  window->style = style;
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
  if (!IsLive(window) || rect == nullptr) return FALSE;
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window->sdlWindow, &width, &height);
  *rect = RECT{0, 0, width, height};
  return TRUE;
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
  std::lock_guard<std::recursive_mutex> lock(g_windowsMutex);
  if (!IsLive(window) || rect == nullptr) return FALSE;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  SDL_GetWindowPosition(window->sdlWindow, &x, &y);
  SDL_GetWindowSize(window->sdlWindow, &width, &height);
  const bool framed = HasCaption(window->style);
  const int side = framed ? kFrameSize : 0;
  const int top = framed ? kFrameSize + kCaptionSize : 0;
  *rect = RECT{x - side, y - top, x + width + side, y + height + side};
  return TRUE;
}

namespace Platform {

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
