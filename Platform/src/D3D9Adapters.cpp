#include "D3D9Adapters.h"

#include "D3D9Formats.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace Platform {
namespace D3D9 {
namespace {

D3DFORMAT FormatOf(Uint32 sdlFormat) {
  switch (SDL_BITSPERPIXEL(sdlFormat)) {
    case 16: return D3DFMT_R5G6B5;
    case 15: return D3DFMT_X1R5G5B5;
    case 24:
    case 32: return D3DFMT_X8R8G8B8;
    default: return D3DFMT_UNKNOWN;
  }
}

D3DDISPLAYMODE ModeOf(const SDL_DisplayMode& mode) {
  return D3DDISPLAYMODE{UINT(mode.w), UINT(mode.h), UINT(mode.refresh_rate), FormatOf(mode.format)};
}

bool SameMode(const D3DDISPLAYMODE& left, const D3DDISPLAYMODE& right) {
  return left.Width == right.Width && left.Height == right.Height && left.RefreshRate == right.RefreshRate &&
         left.Format == right.Format;
}

}  // namespace

UINT AdapterCount() {
  const int count = SDL_GetNumVideoDisplays();
  return count > 0 ? UINT(count) : 0;
}

bool AdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) {
  SDL_DisplayMode desktop{};
  if (adapter >= AdapterCount() || SDL_GetDesktopDisplayMode(int(adapter), &desktop) != 0) return false;
  *mode = ModeOf(desktop);
  return true;
}

std::vector<D3DDISPLAYMODE> AdapterModes(UINT adapter, D3DFORMAT format) {
  std::vector<D3DDISPLAYMODE> modes;
  D3DDISPLAYMODE current{};
  if (!AdapterDisplayMode(adapter, &current) || !IsDisplayFormat(format)) return modes;
  // The display shows either depth at every size it offers, as adapters of the original did;
  // SDL lists each size at the desktop's depth only.
  current.Format = format;
  modes.push_back(current);
  const int count = SDL_GetNumDisplayModes(int(adapter));
  for (int index = 0; index < count; ++index) {
    SDL_DisplayMode sdlMode{};
    if (SDL_GetDisplayMode(int(adapter), index, &sdlMode) != 0) continue;
    D3DDISPLAYMODE mode = ModeOf(sdlMode);
    mode.Format = format;
    const bool known = std::any_of(modes.begin(), modes.end(), [&](const D3DDISPLAYMODE& m) { return SameMode(m, mode); });
    if (!known) modes.push_back(mode);
  }
  return modes;
}

}  // namespace D3D9
}  // namespace Platform
