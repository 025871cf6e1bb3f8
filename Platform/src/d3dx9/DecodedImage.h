// A picture read from a file, before it becomes a texture: every level as 0xAARRGGBB pixels.
#pragma once

#include <vector>

#include "Platform/D3DX9.h"

namespace Platform {
namespace D3DX {

struct ImageLevel {
  UINT width = 0;
  UINT height = 0;
  std::vector<DWORD> pixels;  // row by row from the top
};

struct DecodedImage {
  std::vector<ImageLevel> levels;  // the file's own mip levels, the largest first
  bool hasAlpha = false;
  D3DFORMAT sourceFormat = D3DFMT_UNKNOWN;
  D3DXIMAGE_FILEFORMAT fileFormat = D3DXIFF_BMP;
};

// Reads a picture in any format we know; D3DXERR_INVALIDDATA for anything else, a truncated file
// among it.
HRESULT DecodeImage(const BYTE* data, size_t size, DecodedImage* image);

}  // namespace D3DX
}  // namespace Platform
