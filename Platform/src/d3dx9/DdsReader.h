// Our own reader of DDS files: uncompressed RGB, luminance and alpha layouts with their masks,
// and DXT1, DXT2/3 and DXT4/5 blocks, decoded to 32 bits with the file's mip levels.
#pragma once

#include "DecodedImage.h"

namespace Platform {
namespace D3DX {

bool LooksLikeDds(const BYTE* data, size_t size);
// D3DXERR_INVALIDDATA for a broken or truncated file, cube maps, volumes, DX10 headers and
// floating-point formats; reads nothing outside data[0, size).
HRESULT ReadDds(const BYTE* data, size_t size, DecodedImage* image);

}  // namespace D3DX
}  // namespace Platform
