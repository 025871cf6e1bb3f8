#include "DdsReader.h"

#include <algorithm>
#include <cstring>

#include "d3d9/D3D9Formats.h"

namespace Platform {
namespace D3DX {
namespace {

using D3D9::ReadDword;

constexpr size_t kMagicSize = 4;
constexpr size_t kHeaderSize = 124;
constexpr DWORD kMaxDimension = 16384;

constexpr DWORD kFlagMipMapCount = 0x20000;
constexpr DWORD kPixelAlphaPixels = 0x1;
constexpr DWORD kPixelAlpha = 0x2;
constexpr DWORD kPixelFourCC = 0x4;
constexpr DWORD kPixelRgb = 0x40;
constexpr DWORD kPixelLuminance = 0x20000;
constexpr DWORD kCaps2CubeMap = 0x200;
constexpr DWORD kCaps2Volume = 0x200000;

struct PixelFormat {
  DWORD flags;
  DWORD fourCC;
  DWORD bitCount;
  DWORD masks[4];  // red, green, blue, alpha
};

struct Header {
  DWORD flags;
  DWORD height;
  DWORD width;
  DWORD mipMapCount;
  PixelFormat pixelFormat;
  DWORD caps2;
};

Header ReadHeader(const BYTE* header) {
  Header result{};
  result.flags = ReadDword(header + 4);
  result.height = ReadDword(header + 8);
  result.width = ReadDword(header + 12);
  result.mipMapCount = ReadDword(header + 24);
  const BYTE* format = header + 72;
  result.pixelFormat.flags = ReadDword(format + 4);
  result.pixelFormat.fourCC = ReadDword(format + 8);
  result.pixelFormat.bitCount = ReadDword(format + 12);
  for (int channel = 0; channel < 4; ++channel)
    result.pixelFormat.masks[channel] = ReadDword(format + 16 + 4 * channel);
  result.caps2 = ReadDword(header + 108);
  return result;
}

// --- Uncompressed layouts ------------------------------------------------------------------------

// The value of one channel scaled to 8 bits; a missing channel reads as the given default.
DWORD Channel(DWORD pixel, DWORD mask, DWORD missing) {
  if (mask == 0) return missing;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  const unsigned long long maximum = mask >> shift;
  return DWORD((((pixel & mask) >> shift) * 255ull + maximum / 2) / maximum);
}

struct UncompressedLayout {
  DWORD bytesPerPixel;
  DWORD masks[4];
  bool luminance;
  bool hasAlpha;
};

bool DescribeUncompressed(const PixelFormat& format, UncompressedLayout* layout) {
  const bool rgb = (format.flags & kPixelRgb) != 0;
  const bool luminance = (format.flags & kPixelLuminance) != 0;
  const bool alphaOnly = (format.flags & kPixelAlpha) != 0 && !rgb && !luminance;
  if (!rgb && !luminance && !alphaOnly) return false;
  if (format.bitCount != 8 && format.bitCount != 16 && format.bitCount != 24 && format.bitCount != 32) return false;
  layout->bytesPerPixel = format.bitCount / 8;
  std::copy(std::begin(format.masks), std::end(format.masks), layout->masks);
  const bool alphaPixels = (format.flags & (kPixelAlphaPixels | kPixelAlpha)) != 0;
  if (!alphaPixels) layout->masks[3] = 0;
  layout->luminance = luminance;
  layout->hasAlpha = layout->masks[3] != 0;
  return true;
}

DWORD DecodeUncompressedPixel(const BYTE* at, const UncompressedLayout& layout) {
  DWORD pixel = 0;
  std::memcpy(&pixel, at, layout.bytesPerPixel);
  const DWORD alpha = Channel(pixel, layout.masks[3], 255);
  if (layout.luminance) {
    const DWORD level = Channel(pixel, layout.masks[0], 0);
    return (alpha << 24) | (level << 16) | (level << 8) | level;
  }
  return (alpha << 24) | (Channel(pixel, layout.masks[0], 0) << 16) | (Channel(pixel, layout.masks[1], 0) << 8) |
         Channel(pixel, layout.masks[2], 0);
}

// --- Block compression ----------------------------------------------------------------------------

enum class BlockKind { Dxt1, Dxt3, Dxt5 };

DWORD Expand565(WORD colour) {
  const DWORD red = ((colour >> 11) & 0x1F) * 255 / 31;
  const DWORD green = ((colour >> 5) & 0x3F) * 255 / 63;
  const DWORD blue = (colour & 0x1F) * 255 / 31;
  return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

DWORD Mix(DWORD first, DWORD second, DWORD firstWeight, DWORD secondWeight) {
  const DWORD total = firstWeight + secondWeight;
  DWORD result = 0xFF000000u;
  for (int shift : {16, 8, 0}) {
    const DWORD value = (((first >> shift) & 0xFF) * firstWeight + ((second >> shift) & 0xFF) * secondWeight) / total;
    result |= value << shift;
  }
  return result;
}

// The four colours of a colour block; with punch-through, the fourth is transparent black.
void BlockPalette(const BYTE* block, bool allowPunchThrough, DWORD* palette) {
  const WORD first = WORD(block[0] | (block[1] << 8));
  const WORD second = WORD(block[2] | (block[3] << 8));
  palette[0] = Expand565(first);
  palette[1] = Expand565(second);
  if (first > second || !allowPunchThrough) {
    palette[2] = Mix(palette[0], palette[1], 2, 1);
    palette[3] = Mix(palette[0], palette[1], 1, 2);
  } else {
    palette[2] = Mix(palette[0], palette[1], 1, 1);
    palette[3] = 0x00000000;
  }
}

void AlphaPalette(const BYTE* block, DWORD* alphas) {
  alphas[0] = block[0];
  alphas[1] = block[1];
  if (alphas[0] > alphas[1]) {
    for (DWORD index = 1; index < 7; ++index) alphas[index + 1] = ((7 - index) * alphas[0] + index * alphas[1]) / 7;
  } else {
    for (DWORD index = 1; index < 5; ++index) alphas[index + 1] = ((5 - index) * alphas[0] + index * alphas[1]) / 5;
    alphas[6] = 0;
    alphas[7] = 255;
  }
}

// Decodes one block into its 16 pixels, row by row.
void DecodeBlock(const BYTE* block, BlockKind kind, DWORD* pixels) {
  const BYTE* colourBlock = kind == BlockKind::Dxt1 ? block : block + 8;
  DWORD palette[4];
  BlockPalette(colourBlock, kind == BlockKind::Dxt1, palette);
  const DWORD indices = ReadDword(colourBlock + 4);
  for (int texel = 0; texel < 16; ++texel) pixels[texel] = palette[(indices >> (2 * texel)) & 3];
  if (kind == BlockKind::Dxt3) {
    for (int texel = 0; texel < 16; ++texel) {
      const DWORD alpha = (block[texel / 2] >> ((texel % 2) * 4)) & 0xF;
      pixels[texel] = (pixels[texel] & 0x00FFFFFF) | ((alpha * 17) << 24);
    }
  } else if (kind == BlockKind::Dxt5) {
    DWORD alphas[8];
    AlphaPalette(block, alphas);
    unsigned long long bits = 0;
    for (int byte = 0; byte < 6; ++byte) bits |= static_cast<unsigned long long>(block[2 + byte]) << (8 * byte);
    for (int texel = 0; texel < 16; ++texel) {
      pixels[texel] = (pixels[texel] & 0x00FFFFFF) | (alphas[(bits >> (3 * texel)) & 7] << 24);
    }
  }
}

bool BlockKindOf(DWORD fourCC, BlockKind* kind) {
  switch (fourCC) {
    case D3DFMT_DXT1:
      *kind = BlockKind::Dxt1;
      return true;
    case D3DFMT_DXT2:
    case D3DFMT_DXT3:
      *kind = BlockKind::Dxt3;
      return true;
    case D3DFMT_DXT4:
    case D3DFMT_DXT5:
      *kind = BlockKind::Dxt5;
      return true;
    default:
      return false;
  }
}

// --- Levels ---------------------------------------------------------------------------------------

class LevelReader {
 public:
  LevelReader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}

  bool ReadBlocks(UINT width, UINT height, BlockKind kind, ImageLevel* level) {
    const size_t blockSize = kind == BlockKind::Dxt1 ? 8 : 16;
    const size_t across = (size_t(width) + 3) / 4;
    const size_t down = (size_t(height) + 3) / 4;
    const BYTE* blocks = Take(across * down * blockSize);
    if (blocks == nullptr) return false;
    Prepare(width, height, level);
    DWORD texels[16];
    for (size_t row = 0; row < down; ++row) {
      for (size_t column = 0; column < across; ++column) {
        DecodeBlock(blocks + (row * across + column) * blockSize, kind, texels);
        for (size_t texel = 0; texel < 16; ++texel) {
          const size_t x = column * 4 + texel % 4;
          const size_t y = row * 4 + texel / 4;
          if (x < width && y < height) level->pixels[y * width + x] = texels[texel];
        }
      }
    }
    return true;
  }

  bool ReadPixels(UINT width, UINT height, const UncompressedLayout& layout, ImageLevel* level) {
    const BYTE* pixels = Take(size_t(width) * height * layout.bytesPerPixel);
    if (pixels == nullptr) return false;
    Prepare(width, height, level);
    for (size_t index = 0; index < level->pixels.size(); ++index) {
      level->pixels[index] = DecodeUncompressedPixel(pixels + index * layout.bytesPerPixel, layout);
    }
    return true;
  }

 private:
  // The next count bytes, or null when the file ends before them.
  const BYTE* Take(size_t count) {
    if (count > m_size - m_offset) return nullptr;
    const BYTE* start = m_data + m_offset;
    m_offset += count;
    return start;
  }

  static void Prepare(UINT width, UINT height, ImageLevel* level) {
    level->width = width;
    level->height = height;
    level->pixels.assign(size_t(width) * height, 0);
  }

  const BYTE* m_data;
  size_t m_size;
  size_t m_offset = kMagicSize + kHeaderSize;
};

D3DFORMAT SourceFormatOf(const PixelFormat& format, const UncompressedLayout& layout) {
  if (layout.luminance) return layout.hasAlpha ? D3DFMT_A8L8 : D3DFMT_L8;
  if (format.bitCount == 8) return D3DFMT_A8;
  if (format.bitCount == 16) return layout.hasAlpha ? D3DFMT_A1R5G5B5 : D3DFMT_R5G6B5;
  if (format.bitCount == 24) return D3DFMT_R8G8B8;
  return layout.hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
}

}  // namespace

bool LooksLikeDds(const BYTE* data, size_t size) { return size >= kMagicSize && std::memcmp(data, "DDS ", 4) == 0; }

HRESULT ReadDds(const BYTE* data, size_t size, DecodedImage* image) {
  if (!LooksLikeDds(data, size) || size < kMagicSize + kHeaderSize) return D3DXERR_INVALIDDATA;
  const Header header = ReadHeader(data + kMagicSize);
  if (ReadDword(data + kMagicSize) != kHeaderSize || header.width == 0 || header.height == 0 ||
      header.width > kMaxDimension || header.height > kMaxDimension ||
      (header.caps2 & (kCaps2CubeMap | kCaps2Volume)) != 0) {
    return D3DXERR_INVALIDDATA;
  }
  const UINT levels = (header.flags & kFlagMipMapCount) != 0 && header.mipMapCount > 0 ? header.mipMapCount : 1;
  if (levels > D3D9::FullMipChainLength(header.width, header.height)) return D3DXERR_INVALIDDATA;
  BlockKind kind = BlockKind::Dxt1;
  UncompressedLayout layout{};
  const bool compressed = (header.pixelFormat.flags & kPixelFourCC) != 0;
  if (compressed ? !BlockKindOf(header.pixelFormat.fourCC, &kind)
                 : !DescribeUncompressed(header.pixelFormat, &layout)) {
    return D3DXERR_INVALIDDATA;
  }
  DecodedImage result;
  result.fileFormat = D3DXIFF_DDS;
  result.hasAlpha = compressed || layout.hasAlpha;
  result.sourceFormat = compressed ? D3DFORMAT(header.pixelFormat.fourCC) : SourceFormatOf(header.pixelFormat, layout);
  LevelReader reader(data, size);
  UINT width = header.width;
  UINT height = header.height;
  for (UINT level = 0; level < levels; ++level) {
    ImageLevel decoded;
    const bool read = compressed ? reader.ReadBlocks(width, height, kind, &decoded)
                                 : reader.ReadPixels(width, height, layout, &decoded);
    if (!read) return D3DXERR_INVALIDDATA;
    result.levels.push_back(std::move(decoded));
    width = std::max(1u, width / 2);
    height = std::max(1u, height / 2);
  }
  *image = std::move(result);
  return D3D_OK;
}

}  // namespace D3DX
}  // namespace Platform
