#include "Platform/InputInjection.h"

#include "Platform/Win32Window.h"

#include <SDL.h>

#include <stdexcept>

namespace Platform {
namespace Testing {

namespace {

Uint32 SdlIdOf(HWND window) {
  SDL_Window* sdlWindow = SdlWindowOf(window);
  if (sdlWindow == nullptr) throw std::invalid_argument("input injected into a window that does not exist");
  return SDL_GetWindowID(sdlWindow);
}

void Push(SDL_Event& event) {
  if (SDL_PushEvent(&event) != 1) throw std::runtime_error(std::string("SDL_PushEvent: ") + SDL_GetError());
}

void PushWindowEvent(HWND window, SDL_WindowEventID what) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.windowID = SdlIdOf(window);
  event.window.event = static_cast<Uint8>(what);
  Push(event);
}

}  // namespace

void InjectKey(HWND window, SDL_Scancode key, bool down, bool repeat, SDL_Keymod modifiers) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.windowID = SdlIdOf(window);
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.repeat = repeat ? 1 : 0;
  event.key.keysym.scancode = key;
  event.key.keysym.sym = SDL_GetKeyFromScancode(key);
  event.key.keysym.mod = static_cast<Uint16>(modifiers);
  Push(event);
}

void InjectMouseButton(HWND window, Uint8 button, bool down, int x, int y) {
  SDL_Event event{};
  event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.windowID = SdlIdOf(window);
  event.button.button = button;
  event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.button.clicks = 1;
  event.button.x = x;
  event.button.y = y;
  Push(event);
}

void InjectMouseMove(HWND window, int x, int y, int dx, int dy) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.windowID = SdlIdOf(window);
  event.motion.x = x;
  event.motion.y = y;
  event.motion.xrel = dx;
  event.motion.yrel = dy;
  Push(event);
}

void InjectFocus(HWND window, bool gained) {
  PushWindowEvent(window, gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST);
}

void InjectClose(HWND window) { PushWindowEvent(window, SDL_WINDOWEVENT_CLOSE); }

void InjectExposure(HWND window) { PushWindowEvent(window, SDL_WINDOWEVENT_EXPOSED); }

}  // namespace Testing
}  // namespace Platform
