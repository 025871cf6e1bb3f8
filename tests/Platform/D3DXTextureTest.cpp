#include "D3D9Fixture.h"
#include "Platform/D3DX9.h"
#include "Platform/Win32.h"
#include "TempFolder.h"
#include "d3d9/D3D9Texture.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <string>

using D3D9Test::DeviceFixture;

namespace {

constexpr DWORD kDdsMipMapCount = 0x20000;
constexpr DWORD kPixelAlphaPixels = 0x1;
constexpr DWORD kPixelFourCC = 0x4;
constexpr DWORD kPixelRgb = 0x40;

void Append(std::string* bytes, DWORD value) { bytes->append(reinterpret_cast<const char*>(&value), 4); }

struct DdsPixelFormat {
  DWORD flags;
  DWORD fourCC;
  DWORD bitCount;
  DWORD masks[4];
};

const DdsPixelFormat kArgb32{kPixelRgb | kPixelAlphaPixels, 0, 32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}};
const DdsPixelFormat kRgb565{kPixelRgb, 0, 16, {0xF800, 0x7E0, 0x1F, 0}};

DdsPixelFormat FourCC(D3DFORMAT format) { return DdsPixelFormat{kPixelFourCC, DWORD(format), 0, {0, 0, 0, 0}}; }

std::string DdsFile(DWORD width, DWORD height, DWORD mipLevels, const DdsPixelFormat& format, const std::string& data,
                    DWORD caps2 = 0) {
  std::string bytes = "DDS ";
  Append(&bytes, 124);
  Append(&bytes, 0x1007 | (mipLevels > 1 ? kDdsMipMapCount : 0));
  Append(&bytes, height);
  Append(&bytes, width);
  Append(&bytes, 0);
  Append(&bytes, 0);
  Append(&bytes, mipLevels);
  for (int reserved = 0; reserved < 11; ++reserved) Append(&bytes, 0);
  Append(&bytes, 32);
  Append(&bytes, format.flags);
  Append(&bytes, format.fourCC);
  Append(&bytes, format.bitCount);
  for (DWORD mask : format.masks) Append(&bytes, mask);
  Append(&bytes, 0x1000);
  Append(&bytes, caps2);
  for (int reserved = 0; reserved < 3; ++reserved) Append(&bytes, 0);
  return bytes + data;
}

std::string Dwords(std::initializer_list<DWORD> values) {
  std::string bytes;
  for (DWORD value : values) Append(&bytes, value);
  return bytes;
}

std::string Words(std::initializer_list<WORD> values) {
  std::string bytes;
  for (WORD value : values) bytes.append(reinterpret_cast<const char*>(&value), 2);
  return bytes;
}

// A 2 by 2 JPEG of red, green, blue and white, made once with stb_image_write, whose JPEG writer
// trips the undefined-behaviour checks and so cannot run in the tests.
const BYTE kSmallJpeg[] = {
    0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00,
    0x00, 0xFF, 0xDB, 0x00, 0x84, 0x00, 0x02, 0x01, 0x01, 0x01, 0x01, 0x01, 0x02, 0x01, 0x01, 0x01, 0x02, 0x02, 0x02,
    0x02, 0x02, 0x04, 0x03, 0x02, 0x02, 0x02, 0x02, 0x05, 0x04, 0x04, 0x03, 0x04, 0x06, 0x05, 0x06, 0x06, 0x06, 0x05,
    0x06, 0x06, 0x06, 0x07, 0x09, 0x08, 0x06, 0x07, 0x09, 0x07, 0x06, 0x06, 0x08, 0x0B, 0x08, 0x09, 0x0A, 0x0A, 0x0A,
    0x0A, 0x0A, 0x06, 0x08, 0x0B, 0x0C, 0x0B, 0x0A, 0x0C, 0x09, 0x0A, 0x0A, 0x0A, 0x01, 0x02, 0x02, 0x02, 0x02, 0x02,
    0x02, 0x05, 0x03, 0x03, 0x05, 0x0A, 0x07, 0x06, 0x07, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A,
    0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A,
    0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A,
    0x0A, 0x0A, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00, 0x02, 0x00, 0x02, 0x03, 0x01, 0x11, 0x00, 0x02, 0x11, 0x01, 0x03,
    0x11, 0x01, 0xFF, 0xC4, 0x01, 0xA2, 0x00, 0x00, 0x01, 0x05, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x10, 0x00, 0x02,
    0x01, 0x03, 0x03, 0x02, 0x04, 0x03, 0x05, 0x05, 0x04, 0x04, 0x00, 0x00, 0x01, 0x7D, 0x01, 0x02, 0x03, 0x00, 0x04,
    0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07, 0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xA1, 0x08,
    0x23, 0x42, 0xB1, 0xC1, 0x15, 0x52, 0xD1, 0xF0, 0x24, 0x33, 0x62, 0x72, 0x82, 0x09, 0x0A, 0x16, 0x17, 0x18, 0x19,
    0x1A, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x43, 0x44, 0x45, 0x46, 0x47,
    0x48, 0x49, 0x4A, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A,
    0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x92, 0x93, 0x94,
    0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xB2, 0xB3, 0xB4, 0xB5,
    0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6,
    0xD7, 0xD8, 0xD9, 0xDA, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5,
    0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0x01, 0x00, 0x03, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x11, 0x00, 0x02, 0x01,
    0x02, 0x04, 0x04, 0x03, 0x04, 0x07, 0x05, 0x04, 0x04, 0x00, 0x01, 0x02, 0x77, 0x00, 0x01, 0x02, 0x03, 0x11, 0x04,
    0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61, 0x71, 0x13, 0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xA1,
    0xB1, 0xC1, 0x09, 0x23, 0x33, 0x52, 0xF0, 0x15, 0x62, 0x72, 0xD1, 0x0A, 0x16, 0x24, 0x34, 0xE1, 0x25, 0xF1, 0x17,
    0x18, 0x19, 0x1A, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x43, 0x44, 0x45, 0x46, 0x47,
    0x48, 0x49, 0x4A, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A,
    0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x92, 0x93,
    0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xB2, 0xB3, 0xB4,
    0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xD2, 0xD3, 0xD4, 0xD5,
    0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6,
    0xF7, 0xF8, 0xF9, 0xFA, 0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3F, 0x00, 0xFD,
    0x60, 0xFF, 0x00, 0x82, 0x70, 0x7C, 0x07, 0xF8, 0x1D, 0xE2, 0x5F, 0xF8, 0x27, 0x8F, 0xC0, 0x5F, 0x11, 0xF8, 0x8F,
    0xE0, 0xD7, 0x85, 0x35, 0x0D, 0x43, 0x50, 0xF8, 0x31, 0xE1, 0x6B, 0x9B, 0xFB, 0xFB, 0xDF, 0x0E, 0xDB, 0x4B, 0x35,
    0xCC, 0xCF, 0xA4, 0xDA, 0xB3, 0xC9, 0x23, 0xB2, 0x16, 0x77, 0x66, 0x25, 0x8B, 0x12, 0x49, 0x24, 0x93, 0x5E, 0x87,
    0x8A, 0x3E, 0x1E, 0xF0, 0x0E, 0x17, 0xC4, 0xCC, 0xEE, 0x8D, 0x1C, 0xA7, 0x0B, 0x08, 0x43, 0x19, 0x89, 0x51, 0x8A,
    0xA1, 0x49, 0x24, 0x95, 0x69, 0xA4, 0x92, 0x50, 0xB2, 0x49, 0x68, 0x92, 0xD1, 0x23, 0xE3, 0xF1, 0x1C, 0x17, 0xC1,
    0xD9, 0xFD, 0x79, 0xE6, 0x79, 0x9E, 0x5B, 0x42, 0xBE, 0x26, 0xBB, 0x75, 0x2A, 0xD5, 0xA9, 0x46, 0x9C, 0xEA, 0x54,
    0xA9, 0x37, 0xCD, 0x3A, 0x95, 0x27, 0x28, 0xB9, 0x4E, 0x73, 0x93, 0x72, 0x9C, 0xE4, 0xDC, 0xA5, 0x26, 0xDB, 0x6D,
    0xB3, 0xFF, 0xD9};

void CollectBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

// A picture in the given file kind from RGBA bytes, written with stb_image_write.
std::string EncodePicture(const char* kind, int width, int height, int channels, const std::vector<BYTE>& pixels) {
  std::string bytes;
  const std::string name = kind;
  if (name == "png") stbi_write_png_to_func(CollectBytes, &bytes, width, height, channels, pixels.data(), 0);
  if (name == "bmp") stbi_write_bmp_to_func(CollectBytes, &bytes, width, height, channels, pixels.data());
  if (name == "tga") stbi_write_tga_to_func(CollectBytes, &bytes, width, height, channels, pixels.data());
  if (name == "jpg") bytes.assign(reinterpret_cast<const char*>(kSmallJpeg), sizeof kSmallJpeg);
  return bytes;
}

class TextureLoading : public DeviceFixture {
 protected:
  void TearDown() override {
    if (texture != nullptr) texture->Release();
    DeviceFixture::TearDown();
  }

  HRESULT FromMemory(const std::string& bytes) {
    return D3DXCreateTextureFromFileInMemory(device, bytes.data(), UINT(bytes.size()), &texture);
  }

  HRESULT FromMemoryEx(const std::string& bytes, UINT mipLevels, D3DFORMAT format, D3DXIMAGE_INFO* info = nullptr,
                       D3DCOLOR colourKey = 0, DWORD filter = D3DX_FILTER_TRIANGLE) {
    return D3DXCreateTextureFromFileInMemoryEx(device, bytes.data(), UINT(bytes.size()), D3DX_DEFAULT, D3DX_DEFAULT,
                                               mipLevels, 0, format, D3DPOOL_MANAGED, filter, D3DX_FILTER_TRIANGLE,
                                               colourKey, info, nullptr, &texture);
  }

  D3DSURFACE_DESC LevelDesc(UINT level) {
    D3DSURFACE_DESC desc{};
    EXPECT_EQ(texture->GetLevelDesc(level, &desc), D3D_OK);
    return desc;
  }

  std::vector<DWORD> LevelPixels(UINT level) {
    const D3DSURFACE_DESC desc = LevelDesc(level);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(texture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    std::vector<DWORD> pixels(size_t(desc.Width) * desc.Height);
    for (UINT row = 0; row < desc.Height; ++row) {
      std::memcpy(&pixels[row * desc.Width], static_cast<BYTE*>(locked.pBits) + row * UINT(locked.Pitch),
                  desc.Width * 4);
    }
    texture->UnlockRect(level);
    return pixels;
  }

  IDirect3DTexture9* texture = nullptr;
};

TEST_F(TextureLoading, UncompressedDdsKeepsItsOwnMipLevels) {
  // Level 1 is not the average of level 0: the file's own level must be used.
  const std::string file =
      DdsFile(2, 2, 2, kArgb32, Dwords({0x80FF0000, 0x8000FF00, 0x800000FF, 0x80FFFFFF}) + Dwords({0xFF123456}));
  D3DXIMAGE_INFO info{};
  ASSERT_EQ(FromMemoryEx(file, D3DX_DEFAULT, D3DFMT_UNKNOWN, &info), D3D_OK);
  EXPECT_EQ(info.Width, 2u);
  EXPECT_EQ(info.MipLevels, 2u);
  EXPECT_EQ(info.Format, D3DFMT_A8R8G8B8);
  EXPECT_EQ(info.ImageFileFormat, D3DXIFF_DDS);
  ASSERT_EQ(texture->GetLevelCount(), 2u);
  EXPECT_EQ(LevelDesc(0).Format, D3DFMT_A8R8G8B8);
  EXPECT_EQ(LevelPixels(0), (std::vector<DWORD>{0x80FF0000, 0x8000FF00, 0x800000FF, 0x80FFFFFF}));
  EXPECT_EQ(LevelPixels(1), (std::vector<DWORD>{0xFF123456}));
}

TEST_F(TextureLoading, SixteenBitDdsWithoutAlphaBecomesX8R8G8B8) {
  ASSERT_EQ(FromMemory(DdsFile(1, 1, 1, kRgb565, Words({0xF800}))), D3D_OK);
  EXPECT_EQ(LevelDesc(0).Format, D3DFMT_X8R8G8B8);
  EXPECT_EQ(LevelPixels(0)[0], 0xFFFF0000u);
}

TEST_F(TextureLoading, CompressedDdsBlocksAreDecoded) {
  struct Case {
    D3DFORMAT format;
    std::string block;
    DWORD firstTexel;
    DWORD lastTexel;
  };
  const std::string redOrBlue = Words({0xF800, 0x001F}) + Dwords({0x40000000});     // first texel 0, last texel 1
  const std::string punchThrough = Words({0x001F, 0xF800}) + Dwords({0xC0000002});  // first 2 (mid), last 3 (clear)
  const Case cases[] = {
      {D3DFMT_DXT1, redOrBlue, 0xFFFF0000, 0xFF0000FF},
      {D3DFMT_DXT1, punchThrough, 0xFF7F007F, 0x00000000},
      // Explicit alpha: first texel 0x0 (clear), last 0xF (opaque).
      {D3DFMT_DXT3, std::string("\x00\x00\x00\x00\x00\x00\x00\xF0", 8) + redOrBlue, 0x00FF0000, 0xFF0000FF},
      // Interpolated alpha 255 and 0: code 1 (alpha 0) for the first texel, code 0 (255) for the others.
      {D3DFMT_DXT5, std::string("\xFF\x00\x01\x00\x00\x00\x00\x00", 8) + redOrBlue, 0x00FF0000, 0xFF0000FF},
  };
  for (const Case& entry : cases) {
    ASSERT_EQ(FromMemoryEx(DdsFile(4, 4, 1, FourCC(entry.format), entry.block), 1, D3DFMT_UNKNOWN), D3D_OK);
    EXPECT_EQ(LevelDesc(0).Format, D3DFMT_A8R8G8B8);
    const std::vector<DWORD> pixels = LevelPixels(0);
    EXPECT_EQ(pixels[0], entry.firstTexel) << "format " << entry.format;
    EXPECT_EQ(pixels[15], entry.lastTexel) << "format " << entry.format;
    texture->Release();
    texture = nullptr;
  }
}

// A large compressed picture is not kept as pixels between uses: a lock makes them again from the
// file, exactly, until a write makes them the texture's own. Small ones are kept.
TEST_F(TextureLoading, LargeCompressedLevelsAreMadeAgainFromTheirFileUntilWrittenTo) {
  // 512 by 512 in blocks of one colour each, red and blue by turns, every alpha code 0 (opaque).
  const std::string opaque("\xFF\x00\x00\x00\x00\x00\x00\x00", 8);
  std::string blocks;
  for (int block = 0; block < 128 * 128; ++block) {
    blocks += opaque + Words({block % 2 ? WORD(0x001F) : WORD(0xF800), 0}) + Dwords({0});
  }
  ASSERT_EQ(FromMemoryEx(DdsFile(512, 512, 1, FourCC(D3DFMT_DXT5), blocks), 1, D3DFMT_UNKNOWN), D3D_OK);
  auto* ours = dynamic_cast<Platform::D3D9::Texture9*>(texture);
  ASSERT_NE(ours, nullptr);
  EXPECT_TRUE(ours->IsLevelParked(0));
  const auto expected = [](UINT x, UINT y) { return ((y / 4) * 128 + x / 4) % 2 ? 0xFF0000FFu : 0xFFFF0000u; };
  std::vector<DWORD> pixels = LevelPixels(0);
  for (UINT at : {0u, 4u, 511u * 512 + 7u, 512u * 512 - 1}) EXPECT_EQ(pixels[at], expected(at % 512, at / 512)) << at;
  EXPECT_TRUE(ours->IsLevelParked(0)) << "let go again after a look";

  D3DLOCKED_RECT locked{};
  ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
  *static_cast<DWORD*>(locked.pBits) = 0xFF00FF00;
  texture->UnlockRect(0);
  EXPECT_FALSE(ours->IsLevelParked(0));
  pixels = LevelPixels(0);
  EXPECT_EQ(pixels[0], 0xFF00FF00u) << "the write is kept";
  EXPECT_EQ(pixels[4], expected(4, 0));
  EXPECT_FALSE(ours->IsLevelParked(0));

  texture->Release();
  texture = nullptr;
  ASSERT_EQ(FromMemoryEx(DdsFile(64, 64, 1, FourCC(D3DFMT_DXT5), blocks.substr(0, 16 * 16 * 16)), 1, D3DFMT_UNKNOWN),
            D3D_OK);
  EXPECT_FALSE(dynamic_cast<Platform::D3D9::Texture9*>(texture)->IsLevelParked(0)) << "too small to be worth it";
}

TEST_F(TextureLoading, PicturesOfEachKindAreRead) {
  const std::vector<BYTE> rgba = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 255, 255, 255, 255, 0};
  const std::vector<BYTE> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
  struct Case {
    const char* kind;
    D3DXIMAGE_FILEFORMAT fileFormat;
    bool alpha;
  };
  const Case cases[] = {
      {"png", D3DXIFF_PNG, true}, {"tga", D3DXIFF_TGA, true}, {"bmp", D3DXIFF_BMP, false}, {"jpg", D3DXIFF_JPG, false}};
  for (const Case& entry : cases) {
    const std::string file = EncodePicture(entry.kind, 2, 2, entry.alpha ? 4 : 3, entry.alpha ? rgba : rgb);
    D3DXIMAGE_INFO info{};
    ASSERT_EQ(FromMemoryEx(file, 1, D3DFMT_UNKNOWN, &info), D3D_OK) << entry.kind;
    EXPECT_EQ(info.ImageFileFormat, entry.fileFormat) << entry.kind;
    EXPECT_EQ(LevelDesc(0).Format, entry.alpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8) << entry.kind;
    const std::vector<DWORD> pixels = LevelPixels(0);
    const int tolerance = std::string(entry.kind) == "jpg" ? 60 : 0;
    EXPECT_NEAR(int((pixels[0] >> 16) & 0xFF), 255, tolerance) << entry.kind;
    EXPECT_NEAR(int(pixels[0] & 0xFF), 0, tolerance) << entry.kind;
    if (entry.alpha) {
      EXPECT_EQ(pixels[1] >> 24, 128u) << entry.kind;
    }
    texture->Release();
    texture = nullptr;
  }
}

TEST_F(TextureLoading, SizesRoundUpToPowersOfTwoWithAFullChain) {
  const std::vector<BYTE> pixels(3 * 5 * 4, 0x80);
  const std::string file = EncodePicture("png", 3, 5, 4, pixels);
  D3DXIMAGE_INFO info{};
  ASSERT_EQ(FromMemoryEx(file, 0, D3DFMT_UNKNOWN, &info), D3D_OK);
  EXPECT_EQ(info.Width, 3u);
  EXPECT_EQ(info.Height, 5u);
  EXPECT_EQ(LevelDesc(0).Width, 4u);
  EXPECT_EQ(LevelDesc(0).Height, 8u);
  ASSERT_EQ(texture->GetLevelCount(), 4u);
  EXPECT_EQ(LevelDesc(3).Width, 1u);
  EXPECT_EQ(LevelPixels(3)[0], 0x80808080u);  // stretched and averaged, never padded
}

TEST_F(TextureLoading, WithoutAFilterThePictureIsCopiedToTheTopLeftAndTheRestIsTransparent) {
  const std::vector<BYTE> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255};
  const std::string file = EncodePicture("png", 3, 1, 3, rgb);
  ASSERT_EQ(FromMemoryEx(file, 1, D3DFMT_A8R8G8B8, nullptr, 0, D3DX_FILTER_NONE), D3D_OK);
  EXPECT_EQ(LevelPixels(0), (std::vector<DWORD>{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x00000000}));
}

TEST_F(TextureLoading, FormatsWeCannotFillFallBackToThirtyTwoBits) {
  const std::string opaque = EncodePicture("png", 2, 2, 3, std::vector<BYTE>(2 * 2 * 3, 0x40));
  const std::string translucent = EncodePicture("png", 2, 2, 4, std::vector<BYTE>(2 * 2 * 4, 0x40));
  for (D3DFORMAT asked : {D3DFMT_DXT1, D3DFMT_DXT5, D3DFMT_P8}) {
    for (const std::string* file : {&opaque, &translucent}) {
      ASSERT_EQ(FromMemoryEx(*file, 1, asked), D3D_OK) << asked;
      EXPECT_EQ(LevelDesc(0).Format, file == &opaque ? D3DFMT_X8R8G8B8 : D3DFMT_A8R8G8B8) << asked;
      texture->Release();
      texture = nullptr;
    }
  }
}

TEST_F(TextureLoading, PicturesLargerThanTheDeviceAllowsShrinkToItsMaximum) {
  D3DCAPS9 caps{};
  ASSERT_EQ(device->GetDeviceCaps(&caps), D3D_OK);
  const UINT wide = caps.MaxTextureWidth + 1;
  const std::string file = EncodePicture("png", int(wide), 3, 3, std::vector<BYTE>(size_t(wide) * 3 * 3, 0x40));
  ASSERT_EQ(FromMemoryEx(file, 1, D3DFMT_X8R8G8B8), D3D_OK);
  EXPECT_EQ(LevelDesc(0).Width, caps.MaxTextureWidth);
  EXPECT_EQ(LevelDesc(0).Height, 4u);
  EXPECT_EQ(LevelPixels(0).back(), 0xFF404040u);
}

TEST_F(TextureLoading, ExtendedLoadKeepsTheAskedFormatLevelsAndColourKey) {
  const std::vector<BYTE> rgb = {255, 0, 255, 0, 255, 0, 0, 0, 255, 255, 255, 255};
  const std::string file = EncodePicture("png", 2, 2, 3, rgb);
  ASSERT_EQ(FromMemoryEx(file, 1, D3DFMT_A8R8G8B8, nullptr, 0xFFFF00FF), D3D_OK);
  EXPECT_EQ(texture->GetLevelCount(), 1u);
  EXPECT_EQ(LevelDesc(0).Format, D3DFMT_A8R8G8B8);
  const std::vector<DWORD> pixels = LevelPixels(0);
  EXPECT_EQ(pixels[0], 0x00000000u);  // the key colour became transparent black
  EXPECT_EQ(pixels[1], 0xFF00FF00u);
  texture->Release();
  texture = nullptr;
  ASSERT_EQ(FromMemoryEx(file, 1, D3DFMT_R5G6B5), D3D_OK);
  EXPECT_EQ(LevelDesc(0).Format, D3DFMT_R5G6B5);
  D3DLOCKED_RECT locked{};
  ASSERT_EQ(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
  EXPECT_EQ(static_cast<WORD*>(locked.pBits)[0], 0xF81Fu);
  texture->UnlockRect(0);
}

TEST_F(TextureLoading, BrokenDataIsRefusedAsInvalid) {
  const std::string goodDds = DdsFile(4, 4, 1, kArgb32, std::string(64, '\x7F'));
  const std::string png = EncodePicture("png", 4, 4, 4, std::vector<BYTE>(64, 0x7F));
  const std::string broken[] = {
      "not a picture at all",
      goodDds.substr(0, goodDds.size() - 1),                      // one byte short
      goodDds.substr(0, 100),                                     // header cut
      DdsFile(4, 4, 3, kArgb32, std::string(64 + 16, '\x7F')),    // a mip level missing
      DdsFile(4, 4, 1, kArgb32, std::string(64, '\x7F'), 0x200),  // cube map
      DdsFile(4, 4, 1, FourCC(D3DFORMAT(MAKEFOURCC('D', 'X', '1', '0'))), std::string(64, '\x7F')),
      DdsFile(0, 4, 1, kArgb32, ""),
      DdsFile(4, 4, 9, kArgb32, std::string(4096, '\x7F')),  // more levels than the chain
      png.substr(0, png.size() / 2),
  };
  for (const std::string& bytes : broken) {
    EXPECT_EQ(FromMemory(bytes), D3DXERR_INVALIDDATA) << bytes.size() << " bytes";
    EXPECT_EQ(texture, nullptr);
  }
  ASSERT_EQ(FromMemory(goodDds), D3D_OK);
  EXPECT_EQ(D3DXCreateTextureFromFileInMemory(device, goodDds.data(), UINT(goodDds.size()), nullptr),
            D3DERR_INVALIDCALL);
  IDirect3DTexture9* unused = nullptr;
  EXPECT_EQ(
      D3DXCreateTextureFromFileInMemoryEx(device, goodDds.data(), UINT(goodDds.size()), D3DX_DEFAULT, D3DX_DEFAULT, 1,
                                          0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, 9, 9, 0, nullptr, nullptr, &unused),
      D3DERR_INVALIDCALL);  // no such filter
}

TEST_F(TextureLoading, FilesAreFoundWithWindowsPathsAndMissingOnesReported) {
  TestSupport::TempFolder folder;
  folder.Write("Textures/Wall.dds", DdsFile(1, 1, 1, kArgb32, Dwords({0xFF00FF00})));
  const std::string windowsPath = (folder.Path() / "textures").string() + "\\WALL.DDS";
  ASSERT_EQ(D3DXCreateTextureFromFileA(device, windowsPath.c_str(), &texture), D3D_OK);
  EXPECT_EQ(LevelPixels(0)[0], 0xFF00FF00u);
  IDirect3DTexture9* missing = nullptr;
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), HRESULT(0x80070002));
  EXPECT_EQ(D3DXCreateTextureFromFileA(device, (folder / "Textures/none.dds").c_str(), &missing),
            HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(D3DXCreateTextureFromFileA(device, (folder / "Nowhere/none.dds").c_str(), &missing),
            HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(D3DXCreateTextureFromFileExA(device, (folder / "Textures").c_str(), D3DX_DEFAULT, D3DX_DEFAULT,
                                         D3DX_DEFAULT, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT,
                                         0, nullptr, nullptr, &missing),
            D3DXERR_INVALIDDATA);
  EXPECT_EQ(missing, nullptr);
}

TEST_F(TextureLoading, LoadedTextureDraws) {
  ASSERT_EQ(FromMemory(DdsFile(1, 1, 1, kArgb32, Dwords({0xFF0000FF}))), D3D_OK);
  device->SetTexture(0, texture);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
  EXPECT_EQ(Pixel(0, 0), 0xFF0000FFu);
  device->SetTexture(0, nullptr);
}

TEST(D3DXMatrices, FollowTheRowVectorConvention) {
  D3DXMATRIX matrix;
  D3DXMatrixTranslation(&matrix, 1.0f, 2.0f, 3.0f);
  EXPECT_EQ(matrix._41, 1.0f);
  EXPECT_EQ(matrix._43, 3.0f);
  EXPECT_EQ(matrix._14, 0.0f);
  D3DXMatrixRotationY(&matrix, 3.14159265f / 2.0f);
  EXPECT_NEAR(matrix._13, -1.0f, 1e-6);
  EXPECT_NEAR(matrix._31, 1.0f, 1e-6);
  EXPECT_NEAR(matrix._11, 0.0f, 1e-6);
  const D3DXVECTOR3 eye(0.0f, 0.0f, 5.0f);
  const D3DXVECTOR3 at(0.0f, 0.0f, 0.0f);
  const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
  D3DXMatrixLookAtRH(&matrix, &eye, &at, &up);
  EXPECT_NEAR(matrix._11, 1.0f, 1e-6);
  EXPECT_NEAR(matrix._33, 1.0f, 1e-6);
  EXPECT_NEAR(matrix._43, -5.0f, 1e-6);
  D3DXMatrixPerspectiveFovRH(&matrix, 3.14159265f / 2.0f, 2.0f, 1.0f, 11.0f);
  EXPECT_NEAR(matrix._11, 0.5f, 1e-6);
  EXPECT_NEAR(matrix._22, 1.0f, 1e-6);
  EXPECT_NEAR(matrix._33, -1.1f, 1e-6);
  EXPECT_EQ(matrix._34, -1.0f);
  EXPECT_NEAR(matrix._43, -1.1f, 1e-6);
  EXPECT_EQ(matrix._44, 0.0f);
}

}  // namespace
