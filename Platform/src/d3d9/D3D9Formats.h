// What the device knows of each pixel format: its size, whether it has alpha, whether it can be
// drawn into, and how OpenGL takes it; with the reading of pixels and colours that its users share.
#pragma once

#include <array>
#include <cstring>

#include "Platform/D3D9.h"

namespace Platform {
namespace D3D9 {

struct FormatInfo {
  D3DFORMAT format;
  UINT bytesPerPixel;
  bool hasAlpha;
  bool renderTarget;
  unsigned glInternalFormat;
  unsigned glFormat;
  unsigned glType;
};

// The longest side a texture may have.
constexpr UINT kMaxTextureSize = 8192;

// Null for a format that textures and surfaces cannot have.
const FormatInfo* FindTextureFormat(D3DFORMAT format);

bool IsDepthFormat(D3DFORMAT format);
bool IsDisplayFormat(D3DFORMAT format);

// Levels of a full mip chain down to 1 by 1.
UINT FullMipChainLength(UINT width, UINT height);

// A little-endian DWORD from memory that need not be aligned. Inline: vertices are read with it.
inline DWORD ReadDword(const BYTE* at) {
  DWORD value = 0;
  std::memcpy(&value, at, sizeof value);
  return value;
}

// An ARGB colour as OpenGL takes colours: red, green, blue and alpha from 0 to 1.
std::array<float, 4> ColourToFloats(D3DCOLOR colour);

}  // namespace D3D9
}  // namespace Platform
