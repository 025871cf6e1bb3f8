#include "SdlVideo.h"

#include <SDL2/SDL.h>

#include <mutex>

namespace Platform {

bool StartSdlVideo() {
  static std::once_flag started;
  static bool ready = false;
  std::call_once(started, [] { ready = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && SDL_GL_LoadLibrary(nullptr) == 0; });
  return ready;
}

}  // namespace Platform
