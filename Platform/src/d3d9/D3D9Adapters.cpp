#include "D3D9Adapters.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <mutex>
#include <optional>

#include "D3D9Formats.h"
#include "D3D9States.h"
#include "D3D9VertexProcessor.h"

namespace Platform {
namespace D3D9 {
namespace {

std::mutex g_simulatedMutex;
std::optional<std::vector<Testing::SimulatedAdapter>> g_simulated;

D3DFORMAT FormatOf(Uint32 sdlFormat) {
  switch (SDL_BITSPERPIXEL(sdlFormat)) {
    case 16:
      return D3DFMT_R5G6B5;
    case 15:
      return D3DFMT_X1R5G5B5;
    case 24:
    case 32:
      return D3DFMT_X8R8G8B8;
    default:
      return D3DFMT_UNKNOWN;
  }
}

D3DDISPLAYMODE ModeOf(const SDL_DisplayMode& mode) {
  return D3DDISPLAYMODE{UINT(mode.w), UINT(mode.h), UINT(mode.refresh_rate), FormatOf(mode.format)};
}

// What SDL reports of one display, as an adapter description with the stand-in's capabilities.
std::optional<Testing::SimulatedAdapter> RealAdapter(UINT adapter) {
  SDL_DisplayMode desktop{};
  if (adapter >= UINT(std::max(0, SDL_GetNumVideoDisplays())) ||
      SDL_GetDesktopDisplayMode(int(adapter), &desktop) != 0) {
    return std::nullopt;
  }
  Testing::SimulatedAdapter described;
  described.desktop = ModeOf(desktop);
  const int count = SDL_GetNumDisplayModes(int(adapter));
  for (int index = 0; index < count; ++index) {
    SDL_DisplayMode mode{};
    if (SDL_GetDisplayMode(int(adapter), index, &mode) == 0) described.modes.push_back(ModeOf(mode));
  }
  return described;
}

std::optional<Testing::SimulatedAdapter> Adapter(UINT adapter) {
  std::lock_guard<std::mutex> lock(g_simulatedMutex);
  if (!g_simulated) return RealAdapter(adapter);
  if (adapter >= g_simulated->size()) return std::nullopt;
  return (*g_simulated)[adapter];
}

bool SameSizeAndRate(const D3DDISPLAYMODE& left, const D3DDISPLAYMODE& right) {
  return left.Width == right.Width && left.Height == right.Height && left.RefreshRate == right.RefreshRate;
}

}  // namespace

UINT AdapterCount() {
  std::lock_guard<std::mutex> lock(g_simulatedMutex);
  if (g_simulated) return UINT(g_simulated->size());
  return UINT(std::max(0, SDL_GetNumVideoDisplays()));
}

bool AdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) {
  const std::optional<Testing::SimulatedAdapter> described = Adapter(adapter);
  if (!described) return false;
  *mode = described->desktop;
  return true;
}

bool AdapterCaps(UINT adapter, D3DCAPS9* caps) {
  const std::optional<Testing::SimulatedAdapter> described = Adapter(adapter);
  if (!described || !described->hasHardwareDevice) return false;
  *caps = D3DCAPS9{};
  caps->DeviceType = D3DDEVTYPE_HAL;
  caps->AdapterOrdinal = adapter;
  caps->PresentationIntervals = described->presentationIntervals;
  caps->DevCaps = described->devCaps;
  caps->MaxTextureWidth = kMaxTextureSize;
  caps->MaxTextureHeight = kMaxTextureSize;
  caps->MaxTextureBlendStages = kStageCount;
  caps->MaxSimultaneousTextures = kDrawnStages;
  return true;
}

bool AdapterAcceptsDepthFormat(UINT adapter, D3DFORMAT format) {
  const std::optional<Testing::SimulatedAdapter> described = Adapter(adapter);
  return described && std::find(described->depthFormats.begin(), described->depthFormats.end(), format) !=
                          described->depthFormats.end();
}

std::vector<D3DDISPLAYMODE> AdapterModes(UINT adapter, D3DFORMAT format) {
  std::vector<D3DDISPLAYMODE> modes;
  const std::optional<Testing::SimulatedAdapter> described = Adapter(adapter);
  if (!described || !IsDisplayFormat(format)) return modes;
  // The display shows either depth at every size it offers, as adapters of the original did;
  // SDL lists each size at the desktop's depth only.
  std::vector<D3DDISPLAYMODE> offered = {described->desktop};
  offered.insert(offered.end(), described->modes.begin(), described->modes.end());
  for (D3DDISPLAYMODE mode : offered) {
    mode.Format = format;
    const bool known = std::any_of(modes.begin(), modes.end(),
                                   [&](const D3DDISPLAYMODE& other) { return SameSizeAndRate(other, mode); });
    if (!known) modes.push_back(mode);
  }
  return modes;
}

}  // namespace D3D9

namespace Testing {

void SimulateAdapters(const std::vector<SimulatedAdapter>& adapters) {
  std::lock_guard<std::mutex> lock(D3D9::g_simulatedMutex);
  D3D9::g_simulated = adapters;
}

void UseRealAdapters() {
  std::lock_guard<std::mutex> lock(D3D9::g_simulatedMutex);
  D3D9::g_simulated.reset();
}

}  // namespace Testing
}  // namespace Platform
