#include "ImageProcessing.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Platform {
namespace D3DX {
namespace {

DWORD ChannelOf(DWORD argb, int shift) { return (argb >> shift) & 0xFF; }

// Keeps the top bits of an 8-bit channel, rounded.
DWORD Narrow(DWORD value, int bits) {
  const DWORD maximum = (1u << bits) - 1;
  return (value * maximum + 127) / 255;
}

DWORD Luminance(DWORD argb) {
  return (ChannelOf(argb, 16) * 77 + ChannelOf(argb, 8) * 150 + ChannelOf(argb, 0) * 29 + 128) >> 8;
}

struct Packer {
  D3DFORMAT format;
  UINT bytes;
  DWORD (*pack)(DWORD argb);
};

DWORD Pack565(DWORD p) {
  return (Narrow(ChannelOf(p, 16), 5) << 11) | (Narrow(ChannelOf(p, 8), 6) << 5) | Narrow(ChannelOf(p, 0), 5);
}
DWORD Pack1555(DWORD p) {
  return (ChannelOf(p, 24) >= 128 ? 0x8000u : 0u) | (Narrow(ChannelOf(p, 16), 5) << 10) |
         (Narrow(ChannelOf(p, 8), 5) << 5) | Narrow(ChannelOf(p, 0), 5);
}
DWORD Pack4444(DWORD p) {
  return (Narrow(ChannelOf(p, 24), 4) << 12) | (Narrow(ChannelOf(p, 16), 4) << 8) | (Narrow(ChannelOf(p, 8), 4) << 4) |
         Narrow(ChannelOf(p, 0), 4);
}
DWORD PackAbgr(DWORD p) { return (p & 0xFF00FF00u) | (ChannelOf(p, 16)) | (ChannelOf(p, 0) << 16); }

const Packer kPackers[] = {
    {D3DFMT_A8R8G8B8, 4, [](DWORD p) { return p; }},
    {D3DFMT_X8R8G8B8, 4, [](DWORD p) { return p | 0xFF000000u; }},
    {D3DFMT_A8B8G8R8, 4, PackAbgr},
    {D3DFMT_X8B8G8R8, 4, [](DWORD p) { return PackAbgr(p) | 0xFF000000u; }},
    {D3DFMT_R8G8B8, 3, [](DWORD p) { return p & 0x00FFFFFFu; }},
    {D3DFMT_R5G6B5, 2, Pack565},
    {D3DFMT_A1R5G5B5, 2, Pack1555},
    {D3DFMT_X1R5G5B5, 2, [](DWORD p) { return Pack1555(p) | 0x8000u; }},
    {D3DFMT_A4R4G4B4, 2, Pack4444},
    {D3DFMT_X4R4G4B4, 2, [](DWORD p) { return Pack4444(p) | 0xF000u; }},
    {D3DFMT_A8, 1, [](DWORD p) { return ChannelOf(p, 24); }},
    {D3DFMT_L8, 1, Luminance},
    {D3DFMT_A8L8, 2, [](DWORD p) { return (ChannelOf(p, 24) << 8) | Luminance(p); }},
};

const Packer* FindPacker(D3DFORMAT format) {
  for (const Packer& packer : kPackers) {
    if (packer.format == format) return &packer;
  }
  return nullptr;
}

DWORD Lerp(DWORD first, DWORD second, float weight) {
  DWORD result = 0;
  for (int shift : {24, 16, 8, 0}) {
    const float value = float(ChannelOf(first, shift)) * (1.0f - weight) + float(ChannelOf(second, shift)) * weight;
    result |= DWORD(std::lround(value)) << shift;
  }
  return result;
}

DWORD SampleFiltered(const ImageLevel& source, float x, float y) {
  // Texel centres at half-integers; edges clamp.
  const float sx = std::min(std::max(x - 0.5f, 0.0f), float(source.width - 1));
  const float sy = std::min(std::max(y - 0.5f, 0.0f), float(source.height - 1));
  const UINT x0 = UINT(sx);
  const UINT y0 = UINT(sy);
  const UINT x1 = std::min(x0 + 1, source.width - 1);
  const UINT y1 = std::min(y0 + 1, source.height - 1);
  const DWORD* row0 = &source.pixels[size_t(y0) * source.width];
  const DWORD* row1 = &source.pixels[size_t(y1) * source.width];
  const float fx = sx - float(x0);
  const float fy = sy - float(y0);
  return Lerp(Lerp(row0[x0], row0[x1], fx), Lerp(row1[x0], row1[x1], fx), fy);
}

}  // namespace

void ApplyColourKey(D3DCOLOR key, ImageLevel* level) {
  if (key == 0) return;
  for (DWORD& pixel : level->pixels) {
    if (pixel == key) pixel = 0;
  }
}

ImageLevel Resample(const ImageLevel& source, UINT width, UINT height, bool filtered) {
  if (source.width == width && source.height == height) return source;
  ImageLevel result;
  result.width = width;
  result.height = height;
  result.pixels.resize(size_t(width) * height);
  const float scaleX = float(source.width) / float(width);
  const float scaleY = float(source.height) / float(height);
  for (UINT y = 0; y < height; ++y) {
    for (UINT x = 0; x < width; ++x) {
      const float sourceX = (float(x) + 0.5f) * scaleX;
      const float sourceY = (float(y) + 0.5f) * scaleY;
      DWORD& pixel = result.pixels[size_t(y) * width + x];
      if (filtered) {
        pixel = SampleFiltered(source, sourceX, sourceY);
      } else {
        const UINT nearestX = std::min(UINT(sourceX), source.width - 1);
        const UINT nearestY = std::min(UINT(sourceY), source.height - 1);
        pixel = source.pixels[size_t(nearestY) * source.width + nearestX];
      }
    }
  }
  return result;
}

ImageLevel CopyToCorner(const ImageLevel& source, UINT width, UINT height) {
  ImageLevel result;
  result.width = width;
  result.height = height;
  result.pixels.assign(size_t(width) * height, 0);
  const UINT copiedWidth = std::min(width, source.width);
  for (UINT y = 0; y < std::min(height, source.height); ++y) {
    const DWORD* from = &source.pixels[size_t(y) * source.width];
    std::copy(from, from + copiedWidth, &result.pixels[size_t(y) * width]);
  }
  return result;
}

ImageLevel HalveLevel(const ImageLevel& source) {
  ImageLevel result;
  result.width = std::max(1u, source.width / 2);
  result.height = std::max(1u, source.height / 2);
  result.pixels.resize(size_t(result.width) * result.height);
  for (UINT y = 0; y < result.height; ++y) {
    for (UINT x = 0; x < result.width; ++x) {
      const UINT left = std::min(2 * x, source.width - 1);
      const UINT right = std::min(2 * x + 1, source.width - 1);
      const UINT top = std::min(2 * y, source.height - 1);
      const UINT bottom = std::min(2 * y + 1, source.height - 1);
      const DWORD corners[4] = {
          source.pixels[size_t(top) * source.width + left], source.pixels[size_t(top) * source.width + right],
          source.pixels[size_t(bottom) * source.width + left], source.pixels[size_t(bottom) * source.width + right]};
      DWORD average = 0;
      for (int shift : {24, 16, 8, 0}) {
        DWORD sum = 0;
        for (DWORD corner : corners) sum += ChannelOf(corner, shift);
        average |= ((sum + 2) / 4) << shift;
      }
      result.pixels[size_t(y) * result.width + x] = average;
    }
  }
  return result;
}

bool CanPack(D3DFORMAT format) { return FindPacker(format) != nullptr; }

bool PackLevel(const ImageLevel& level, D3DFORMAT format, std::vector<BYTE>* bytes) {
  const Packer* packer = FindPacker(format);
  if (packer == nullptr) return false;
  bytes->resize(level.pixels.size() * packer->bytes);
  // The texture's own layout: one copy does it, which matters for full-screen pictures at start-up.
  if (format == D3DFMT_A8R8G8B8) {
    std::memcpy(bytes->data(), level.pixels.data(), bytes->size());
    return true;
  }
  for (size_t index = 0; index < level.pixels.size(); ++index) {
    const DWORD packed = packer->pack(level.pixels[index]);
    std::memcpy(bytes->data() + index * packer->bytes, &packed, packer->bytes);
  }
  return true;
}

}  // namespace D3DX
}  // namespace Platform
