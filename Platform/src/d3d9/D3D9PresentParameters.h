// The checks that CreateDevice and Reset make of the present parameters.
#pragma once

#include "Platform/D3D9.h"

namespace Platform {
namespace D3D9 {

// Answers D3D_OK and completes the parameters as Direct3D 9 does (back-buffer count, the window's
// client size and the desktop format in a window), or D3DERR_INVALIDCALL leaving them unchanged.
HRESULT CheckPresentParameters(UINT adapter, HWND focusWindow, D3DPRESENT_PARAMETERS* parameters);

// The window a device presents to.
HWND DeviceWindow(HWND focusWindow, const D3DPRESENT_PARAMETERS& parameters);

}  // namespace D3D9
}  // namespace Platform
