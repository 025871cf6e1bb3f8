// The Direct3D object: the adapters, their modes, capabilities and format checks, and the device.

#include <SDL2/SDL.h>

#include <cstdio>

#include "D3D9Adapters.h"
#include "D3D9Device.h"
#include "D3D9Failures.h"
#include "D3D9Formats.h"
#include "D3D9PresentParameters.h"
#include "D3D9RefCounted.h"
#include "window/SdlVideo.h"

namespace Platform {
namespace D3D9 {
namespace {

constexpr DWORD kVertexProcessingFlags =
    D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING;

bool ExactlyOneVertexProcessing(DWORD flags) {
  const DWORD chosen = flags & kVertexProcessingFlags;
  return chosen != 0 && (chosen & (chosen - 1)) == 0;
}

bool IsRenderTargetFormat(D3DFORMAT format) {
  const FormatInfo* info = FindTextureFormat(format);
  return info != nullptr && info->renderTarget;
}

class Direct3D9 : public RefCounted<IDirect3D9> {
 public:
  UINT GetAdapterCount() override { return AdapterCount(); }

  HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override {
    HRESULT result = D3D_OK;
    if (TakeScriptedFailure("GetAdapterDisplayMode", &result)) return result;
    if (mode == nullptr || !AdapterDisplayMode(adapter, mode)) return D3DERR_INVALIDCALL;
    return D3D_OK;
  }

  HRESULT GetAdapterIdentifier(UINT adapter, DWORD /*flags*/, D3DADAPTER_IDENTIFIER9* identifier) override {
    if (identifier == nullptr || adapter >= AdapterCount()) return D3DERR_INVALIDCALL;
    *identifier = D3DADAPTER_IDENTIFIER9{};
    std::snprintf(identifier->Driver, sizeof identifier->Driver, "%s", "OpenGL");
    std::snprintf(identifier->Description, sizeof identifier->Description, "%s", "OpenGL through SDL");
    const char* display = SDL_GetDisplayName(int(adapter));
    std::snprintf(identifier->DeviceName, sizeof identifier->DeviceName, "%s", display != nullptr ? display : "");
    return D3D_OK;
  }

  UINT GetAdapterModeCount(UINT adapter, D3DFORMAT format) override {
    return UINT(AdapterModes(adapter, format).size());
  }

  HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* displayMode) override {
    const std::vector<D3DDISPLAYMODE> modes = AdapterModes(adapter, format);
    if (displayMode == nullptr || mode >= modes.size()) return D3DERR_INVALIDCALL;
    *displayMode = modes[mode];
    return D3D_OK;
  }

  HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) override {
    HRESULT result = D3D_OK;
    if (TakeScriptedFailure("GetDeviceCaps", &result)) return result;
    if (caps == nullptr || adapter >= AdapterCount()) return D3DERR_INVALIDCALL;
    if (type != D3DDEVTYPE_HAL || !AdapterCaps(adapter, caps)) return D3DERR_NOTAVAILABLE;
    return D3D_OK;
  }

  HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, DWORD usage,
                            D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) override {
    if (adapter >= AdapterCount() || !IsDisplayFormat(adapterFormat)) return D3DERR_INVALIDCALL;
    if (type != D3DDEVTYPE_HAL) return D3DERR_NOTAVAILABLE;
    bool available = false;
    if ((usage & D3DUSAGE_DEPTHSTENCIL) != 0) {
      available = resourceType == D3DRTYPE_SURFACE && AdapterAcceptsDepthFormat(adapter, checkFormat);
    } else if ((usage & D3DUSAGE_RENDERTARGET) != 0) {
      available =
          (resourceType == D3DRTYPE_SURFACE || resourceType == D3DRTYPE_TEXTURE) && IsRenderTargetFormat(checkFormat);
    } else {
      available = (resourceType == D3DRTYPE_SURFACE || resourceType == D3DRTYPE_TEXTURE) &&
                  FindTextureFormat(checkFormat) != nullptr;
    }
    return available ? D3D_OK : D3DERR_NOTAVAILABLE;
  }

  HRESULT CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, D3DFORMAT renderTargetFormat,
                                 D3DFORMAT depthStencilFormat) override {
    if (adapter >= AdapterCount() || !IsDisplayFormat(adapterFormat)) return D3DERR_INVALIDCALL;
    if (type != D3DDEVTYPE_HAL) return D3DERR_NOTAVAILABLE;
    return IsRenderTargetFormat(renderTargetFormat) && AdapterAcceptsDepthFormat(adapter, depthStencilFormat)
               ? D3D_OK
               : D3DERR_NOTAVAILABLE;
  }

  HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviorFlags,
                       D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) override {
    HRESULT result = D3D_OK;
    if (TakeScriptedFailure("CreateDevice", &result)) return result;
    if (device == nullptr) return D3DERR_INVALIDCALL;
    *device = nullptr;
    if (adapter >= AdapterCount() || !ExactlyOneVertexProcessing(behaviorFlags)) return D3DERR_INVALIDCALL;
    if (type != D3DDEVTYPE_HAL) return D3DERR_NOTAVAILABLE;
    D3DPRESENT_PARAMETERS checked = parameters != nullptr ? *parameters : D3DPRESENT_PARAMETERS{};
    if (parameters == nullptr || FAILED(CheckPresentParameters(adapter, focusWindow, &checked))) {
      return D3DERR_INVALIDCALL;
    }
    checked.hDeviceWindow = DeviceWindow(focusWindow, checked);
    Device9* created = nullptr;
    result = Device9::Create(adapter, checked.hDeviceWindow, checked, &created);
    if (FAILED(result)) return result;
    *parameters = checked;
    *device = created;
    return D3D_OK;
  }
};

}  // namespace
}  // namespace D3D9
}  // namespace Platform

IDirect3D9* Direct3DCreate9(UINT sdkVersion) {
  if (sdkVersion != D3D_SDK_VERSION) return nullptr;
  if (!Platform::StartSdlVideo()) return nullptr;
  return new Platform::D3D9::Direct3D9();
}
