#include "D3D9Formats.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace Platform {
namespace D3D9 {
namespace {

// Pixels are kept in Direct3D's memory layout; OpenGL reads them as they lie.
const FormatInfo kTextureFormats[] = {
    {D3DFMT_A8R8G8B8, 4, true, true, GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV},
    {D3DFMT_X8R8G8B8, 4, false, true, GL_RGB8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV},
    {D3DFMT_R5G6B5, 2, false, true, GL_RGB565, GL_RGB, GL_UNSIGNED_SHORT_5_6_5},
    {D3DFMT_X1R5G5B5, 2, false, false, GL_RGB5, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV},
    {D3DFMT_A1R5G5B5, 2, true, false, GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV},
    {D3DFMT_A4R4G4B4, 2, true, false, GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV},
    {D3DFMT_X4R4G4B4, 2, false, false, GL_RGB4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV},
    {D3DFMT_R8G8B8, 3, false, false, GL_RGB8, GL_BGR, GL_UNSIGNED_BYTE},
    {D3DFMT_A8B8G8R8, 4, true, false, GL_RGBA8, GL_RGBA, GL_UNSIGNED_INT_8_8_8_8_REV},
    {D3DFMT_X8B8G8R8, 4, false, false, GL_RGB8, GL_RGBA, GL_UNSIGNED_INT_8_8_8_8_REV},
    {D3DFMT_A8, 1, true, false, GL_ALPHA8, GL_ALPHA, GL_UNSIGNED_BYTE},
    {D3DFMT_L8, 1, false, false, GL_LUMINANCE8, GL_LUMINANCE, GL_UNSIGNED_BYTE},
    {D3DFMT_A8L8, 2, true, false, GL_LUMINANCE8_ALPHA8, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE},
};

}  // namespace

const FormatInfo* FindTextureFormat(D3DFORMAT format) {
  for (const FormatInfo& info : kTextureFormats) {
    if (info.format == format) return &info;
  }
  return nullptr;
}

bool IsDepthFormat(D3DFORMAT format) {
  return format == D3DFMT_D16 || format == D3DFMT_D32 || format == D3DFMT_D24S8 || format == D3DFMT_D24X8;
}

bool IsDisplayFormat(D3DFORMAT format) { return format == D3DFMT_X8R8G8B8 || format == D3DFMT_R5G6B5; }

UINT FullMipChainLength(UINT width, UINT height) {
  UINT levels = 1;
  while (width > 1 || height > 1) {
    width = width > 1 ? width / 2 : 1;
    height = height > 1 ? height / 2 : 1;
    ++levels;
  }
  return levels;
}

std::array<float, 4> ColourToFloats(D3DCOLOR colour) {
  return {float((colour >> 16) & 0xFF) / 255.0f, float((colour >> 8) & 0xFF) / 255.0f, float(colour & 0xFF) / 255.0f,
          float(colour >> 24) / 255.0f};
}

}  // namespace D3D9
}  // namespace Platform
