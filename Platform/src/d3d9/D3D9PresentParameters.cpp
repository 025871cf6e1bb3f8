#include "D3D9PresentParameters.h"

#include <algorithm>

#include "D3D9Adapters.h"
#include "D3D9Formats.h"

namespace Platform {
namespace D3D9 {
namespace {

constexpr UINT kMaxBackBuffers = 3;

bool IsOfferedInterval(UINT adapter, UINT interval) {
  D3DCAPS9 caps{};
  if (!AdapterCaps(adapter, &caps)) return false;
  return interval == D3DPRESENT_INTERVAL_DEFAULT || (caps.PresentationIntervals & interval) == interval;
}

bool IsBackBufferFormat(D3DFORMAT format) { return IsDisplayFormat(format) || format == D3DFMT_A8R8G8B8; }

bool IsOfferedMode(UINT adapter, const D3DPRESENT_PARAMETERS& parameters) {
  const std::vector<D3DDISPLAYMODE> modes = AdapterModes(adapter, parameters.BackBufferFormat);
  return std::any_of(modes.begin(), modes.end(), [&](const D3DDISPLAYMODE& mode) {
    return mode.Width == parameters.BackBufferWidth && mode.Height == parameters.BackBufferHeight &&
           (parameters.FullScreen_RefreshRateInHz == 0 || parameters.FullScreen_RefreshRateInHz == mode.RefreshRate);
  });
}

bool CheckCommon(UINT adapter, const D3DPRESENT_PARAMETERS& parameters) {
  const bool oneInterval = (parameters.PresentationInterval & (parameters.PresentationInterval - 1)) == 0;
  return parameters.SwapEffect >= D3DSWAPEFFECT_DISCARD && parameters.SwapEffect <= D3DSWAPEFFECT_COPY &&
         parameters.BackBufferCount <= kMaxBackBuffers && parameters.MultiSampleType == D3DMULTISAMPLE_NONE &&
         oneInterval && IsOfferedInterval(adapter, parameters.PresentationInterval) &&
         (!parameters.EnableAutoDepthStencil || AdapterAcceptsDepthFormat(adapter, parameters.AutoDepthStencilFormat));
}

}  // namespace

HWND DeviceWindow(HWND focusWindow, const D3DPRESENT_PARAMETERS& parameters) {
  return parameters.hDeviceWindow != nullptr ? parameters.hDeviceWindow : focusWindow;
}

HRESULT CheckPresentParameters(UINT adapter, HWND focusWindow, D3DPRESENT_PARAMETERS* parameters) {
  if (parameters == nullptr || !CheckCommon(adapter, *parameters)) return D3DERR_INVALIDCALL;
  HWND window = DeviceWindow(focusWindow, *parameters);
  RECT client{};
  if (!GetClientRect(window, &client)) return D3DERR_INVALIDCALL;
  D3DPRESENT_PARAMETERS checked = *parameters;
  checked.BackBufferCount = std::max<UINT>(checked.BackBufferCount, 1);
  if (checked.Windowed) {
    if (checked.FullScreen_RefreshRateInHz != 0) return D3DERR_INVALIDCALL;
    D3DDISPLAYMODE desktop{};
    if (!AdapterDisplayMode(adapter, &desktop)) return D3DERR_INVALIDCALL;
    if (checked.BackBufferFormat == D3DFMT_UNKNOWN) checked.BackBufferFormat = desktop.Format;
    if (!IsBackBufferFormat(checked.BackBufferFormat)) return D3DERR_INVALIDCALL;
    if (checked.BackBufferWidth == 0) checked.BackBufferWidth = UINT(client.right - client.left);
    if (checked.BackBufferHeight == 0) checked.BackBufferHeight = UINT(client.bottom - client.top);
  } else if (!IsDisplayFormat(checked.BackBufferFormat) || !IsOfferedMode(adapter, checked)) {
    return D3DERR_INVALIDCALL;
  }
  if (checked.BackBufferWidth == 0 || checked.BackBufferHeight == 0) return D3DERR_INVALIDCALL;
  *parameters = checked;
  return D3D_OK;
}

}  // namespace D3D9
}  // namespace Platform
