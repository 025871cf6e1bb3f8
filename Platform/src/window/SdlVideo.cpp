#include "SdlVideo.h"

#include "Platform/ProgramEnd.h"

#include <SDL2/SDL.h>

#include <dlfcn.h>
#include <link.h>

#include <atomic>
#include <mutex>
#include <string>

namespace Platform {

namespace {

// Quitting lets go of the OpenGL library and its driver. They stay mapped until the process ends,
// as on the original platform: what the driver keeps for itself then stays reachable instead of
// pointing into unmapped code (which leak checkers report).
int KeepLoaded(struct dl_phdr_info* info, size_t, void*) {
  const std::string name = info->dlpi_name == nullptr ? "" : info->dlpi_name;
  if (name.find("_dri.so") != std::string::npos || name.find("libGL") != std::string::npos) {
    dlopen(name.c_str(), RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
  }
  return 0;
}

void KeepOpenGLDriversLoaded() { dl_iterate_phdr(&KeepLoaded, nullptr); }

}  // namespace

bool StartSdlVideo() {
  static std::once_flag started;
  static bool ready = false;
  std::call_once(started, [] { ready = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && SDL_GL_LoadLibrary(nullptr) == 0; });
  return ready;
}

void ShutDownPlatform() {
  static std::atomic<bool> done{false};
  if (done.exchange(true)) return;
  KeepOpenGLDriversLoaded();
  SDL_Quit();
}

}  // namespace Platform
