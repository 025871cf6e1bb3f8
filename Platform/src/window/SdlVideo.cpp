#include "SdlVideo.h"

#include "Platform/ProgramEnd.h"

#include <SDL2/SDL.h>

#include <atomic>
#include <mutex>

namespace Platform {

bool StartSdlVideo() {
  static std::once_flag started;
  static bool ready = false;
  std::call_once(started, [] { ready = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && SDL_GL_LoadLibrary(nullptr) == 0; });
  return ready;
}

void ShutDownPlatform() {
  static std::atomic<bool> done{false};
  if (done.exchange(true)) return;
  SDL_Quit();
}

}  // namespace Platform
