// Input that tests give a window as if the player had given it: each call queues the SDL event
// that a real keyboard, mouse or window manager would, so it travels the whole way through the
// message queue and the DirectInput store on the next PeekMessageA.
#pragma once

#include "Platform/Win32Types.h"

#include <SDL_keycode.h>
#include <SDL_mouse.h>
#include <SDL_scancode.h>

namespace Platform {
namespace Testing {

void InjectKey(HWND window, SDL_Scancode key, bool down, bool repeat = false, SDL_Keymod modifiers = KMOD_NONE);
// button: SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, ...; x, y in client pixels.
void InjectMouseButton(HWND window, Uint8 button, bool down, int x, int y);
// Moves the cursor to x, y in client pixels, by dx, dy since the last position.
void InjectMouseMove(HWND window, int x, int y, int dx, int dy);
void InjectFocus(HWND window, bool gained);
// The player closes the window (its close box).
void InjectClose(HWND window);
// The window manager shows the window anew and asks for it to be painted.
void InjectExposure(HWND window);

}  // namespace Testing
}  // namespace Platform
