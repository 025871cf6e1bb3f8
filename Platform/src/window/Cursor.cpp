#include "Platform/Win32.h"
#include "Platform/Win32WindowClass.h"

#include <SDL.h>

#include <atomic>

namespace {

// The system's arrow; any non-null value stands for it.
int g_arrowToken;
HCURSOR const kArrow = reinterpret_cast<HCURSOR>(&g_arrowToken);

std::atomic<HCURSOR> g_cursor{kArrow};
std::atomic<int> g_showCount{0};

// SDL's cursor calls belong to the main thread, which is where the window procedure runs.
void ApplyVisibility() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  const bool visible = g_cursor.load() != nullptr && g_showCount.load() >= 0;
  SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

}  // namespace

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  return instance == nullptr && name == IDC_ARROW ? kArrow : nullptr;
}

HICON LoadIconA(HINSTANCE /*instance*/, LPCSTR /*name*/) { return nullptr; }

HCURSOR SetCursor(HCURSOR cursor) {
  const HCURSOR previous = g_cursor.exchange(cursor);
  ApplyVisibility();
  return previous;
}

int ShowCursor(BOOL show) {
  const int count = show ? ++g_showCount : --g_showCount;
  ApplyVisibility();
  return count;
}
