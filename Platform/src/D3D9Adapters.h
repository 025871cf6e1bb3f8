// The adapters as SDL sees the displays: their current mode and the modes they offer.
#pragma once

#include "Platform/D3D9.h"

#include <vector>

namespace Platform {
namespace D3D9 {

UINT AdapterCount();
// False for an adapter that does not exist.
bool AdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode);
// Modes of the adapter in a display format (X8R8G8B8 or R5G6B5), each size and rate once, the
// current size always among them; none for other formats.
std::vector<D3DDISPLAYMODE> AdapterModes(UINT adapter, D3DFORMAT format);

}  // namespace D3D9
}  // namespace Platform
