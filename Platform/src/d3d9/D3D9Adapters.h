// The adapters: the displays as SDL sees them, or those a test describes, with their current mode,
// the modes they offer, their capabilities and the depth formats they accept.
#pragma once

#include <vector>

#include "Platform/D3D9TestHooks.h"

namespace Platform {
namespace D3D9 {

UINT AdapterCount();
// Each answers false for an adapter that does not exist.
bool AdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode);
bool AdapterCaps(UINT adapter, D3DCAPS9* caps);
bool AdapterAcceptsDepthFormat(UINT adapter, D3DFORMAT format);
// Modes of the adapter in a display format (X8R8G8B8 or R5G6B5), each size and rate once, the
// current size always among them; none for other formats.
std::vector<D3DDISPLAYMODE> AdapterModes(UINT adapter, D3DFORMAT format);

}  // namespace D3D9
}  // namespace Platform
