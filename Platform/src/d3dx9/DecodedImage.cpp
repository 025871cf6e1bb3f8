#include "DecodedImage.h"

#include "DdsReader.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#include <stb/stb_image.h>

#include <climits>
#include <cstring>

namespace Platform {
namespace D3DX {
namespace {

D3DXIMAGE_FILEFORMAT FileFormatOf(const BYTE* data, size_t size) {
  static const BYTE kPng[] = {0x89, 'P', 'N', 'G'};
  static const BYTE kJpeg[] = {0xFF, 0xD8};
  if (size >= 4 && std::memcmp(data, kPng, 4) == 0) return D3DXIFF_PNG;
  if (size >= 2 && std::memcmp(data, kJpeg, 2) == 0) return D3DXIFF_JPG;
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return D3DXIFF_BMP;
  // Targa files have no signature: what is nothing else is tried as one.
  return D3DXIFF_TGA;
}

HRESULT DecodeWithStb(const BYTE* data, size_t size, DecodedImage* image) {
  if (size > size_t(INT_MAX)) return D3DXERR_INVALIDDATA;
  int width = 0;
  int height = 0;
  int channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(data, int(size), &width, &height, &channels, 4);
  if (pixels == nullptr) return D3DXERR_INVALIDDATA;
  ImageLevel level;
  level.width = UINT(width);
  level.height = UINT(height);
  level.pixels.resize(size_t(width) * height);
  for (size_t index = 0; index < level.pixels.size(); ++index) {
    const stbi_uc* rgba = pixels + index * 4;
    level.pixels[index] = (DWORD(rgba[3]) << 24) | (DWORD(rgba[0]) << 16) | (DWORD(rgba[1]) << 8) | rgba[2];
  }
  stbi_image_free(pixels);
  image->levels.assign(1, std::move(level));
  image->hasAlpha = channels == 2 || channels == 4;
  image->sourceFormat = image->hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
  image->fileFormat = FileFormatOf(data, size);
  return D3D_OK;
}

}  // namespace

HRESULT DecodeImage(const BYTE* data, size_t size, DecodedImage* image) {
  if (data == nullptr || size == 0) return D3DXERR_INVALIDDATA;
  if (LooksLikeDds(data, size)) return ReadDds(data, size, image);
  return DecodeWithStb(data, size, image);
}

}  // namespace D3DX
}  // namespace Platform
