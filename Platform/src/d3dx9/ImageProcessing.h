// What D3DX does to a picture between the file and the texture: colour keying, stretching or
// copying to the texture's size, making smaller mip levels, and packing pixels into the texture's format.
#pragma once

#include "DecodedImage.h"

namespace Platform {
namespace D3DX {

void ApplyColourKey(D3DCOLOR key, ImageLevel* level);
// Stretches the picture over the new size, point-sampled or filtered between neighbours.
ImageLevel Resample(const ImageLevel& source, UINT width, UINT height, bool filtered);
// The picture unscaled at the top left of the new size, cut off where it does not fit; the rest
// is transparent black.
ImageLevel CopyToCorner(const ImageLevel& source, UINT width, UINT height);
// The next smaller mip level: each pixel the average of the (up to) four it replaces.
ImageLevel HalveLevel(const ImageLevel& source);
// The pixels in the memory layout of the format; false for a format we cannot pack.
bool PackLevel(const ImageLevel& level, D3DFORMAT format, std::vector<BYTE>* bytes);
bool CanPack(D3DFORMAT format);

}  // namespace D3DX
}  // namespace Platform
