// SDL's events as the window messages they stand for, and as the DirectInput store sees them.
#pragma once

#include <SDL.h>

namespace Platform {

void TranslateSdlEvent(const SDL_Event& event);

}  // namespace Platform
