// The texture loaders of D3DX: the picture is read, keyed, stretched (or copied, unfiltered) to the
// texture's size, given its mip levels and packed into the texture's format.

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "d3d9/D3D9Failures.h"
#include "d3d9/D3D9Formats.h"
#include "d3d9/D3D9Texture.h"
#include "DecodedImage.h"
#include "ImageProcessing.h"
#include "Platform/D3DX9.h"
#include "Platform/NativePath.h"
#include "Platform/Win32.h"

namespace Platform {
namespace D3DX {
namespace {

struct LoadRequest {
  UINT width;
  UINT height;
  UINT mipLevels;
  DWORD usage;
  D3DFORMAT format;
  D3DPOOL pool;
  DWORD filter;
  DWORD mipFilter;
  D3DCOLOR colourKey;
};

const LoadRequest kDefaultRequest{D3DX_DEFAULT,    D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                                  D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0};

UINT NextPowerOfTwo(UINT value) {
  UINT power = 1;
  while (power < value) power <<= 1;
  return power;
}

// As D3DX does, each side is limited to the device's maximum on its own, whatever the aspect.
UINT TextureSize(UINT requested, UINT source, DWORD maximum) {
  UINT size = requested;
  if (requested == D3DX_DEFAULT || requested == 0) size = NextPowerOfTwo(source);
  if (requested == D3DX_DEFAULT_NONPOW2 || requested == D3DX_FROM_FILE) size = source;
  return std::min<UINT>(size, maximum);
}

bool IsValidFilter(DWORD filter) {
  const DWORD kind = filter & 0xFF;
  return filter == D3DX_DEFAULT || (kind >= D3DX_FILTER_NONE && kind <= D3DX_FILTER_BOX);
}

// A format we cannot fill (compressed, paletted, none asked for) gives way to the closest we can.
D3DFORMAT TextureFormat(D3DFORMAT requested, bool hasAlpha) {
  if (CanPack(requested)) return requested;
  return hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
}

UINT LevelCount(UINT requested, UINT width, UINT height, UINT fileLevels) {
  const UINT full = D3D9::FullMipChainLength(width, height);
  if (requested == D3DX_DEFAULT || requested == 0) return full;
  if (requested == D3DX_FROM_FILE) return std::min(fileLevels, full);
  return std::min(requested, full);
}

// Every level of the texture: the file's own while they fit the size, then halved ones.
std::vector<ImageLevel> BuildLevels(DecodedImage& image, const LoadRequest& request, UINT width, UINT height,
                                    UINT count) {
  std::vector<ImageLevel> levels;
  const bool sizeKept = image.levels[0].width == width && image.levels[0].height == height;
  const DWORD kind = request.filter & 0xFF;
  for (UINT index = 0; index < count; ++index) {
    if (index == 0 && sizeKept) {
      levels.push_back(std::move(image.levels[0]));  // neither filter changes a picture of the texture's size
    } else if (index == 0 && kind == D3DX_FILTER_NONE) {
      levels.push_back(CopyToCorner(image.levels[0], width, height));
    } else if (index == 0) {
      levels.push_back(Resample(image.levels[0], width, height, kind != D3DX_FILTER_POINT));
    } else if (sizeKept && index < image.levels.size()) {
      levels.push_back(std::move(image.levels[index]));
    } else {
      levels.push_back(HalveLevel(levels.back()));
    }
  }
  return levels;
}

void FillInfo(const DecodedImage& image, D3DXIMAGE_INFO* info) {
  if (info == nullptr) return;
  *info =
      D3DXIMAGE_INFO{image.levels[0].width, image.levels[0].height, 1, UINT(image.levels.size()), image.sourceFormat,
                     D3DRTYPE_TEXTURE,      image.fileFormat};
}

// The texture's levels made again from its file, as they were first made.
D3D9::Texture9::LevelSource SourceFromFile(std::shared_ptr<const std::vector<BYTE>> file, const LoadRequest& request,
                                           UINT width, UINT height, UINT count, D3DFORMAT format) {
  return [file, request, width, height, count, format](UINT index, std::vector<BYTE>* packed) {
    DecodedImage image;
    if (index >= count || FAILED(DecodeImage(file->data(), file->size(), &image))) return false;
    for (ImageLevel& level : image.levels) ApplyColourKey(request.colourKey, &level);
    std::vector<ImageLevel> levels = BuildLevels(image, request, width, height, count);
    PackLevel(levels[index], format, packed);
    return true;
  };
}

// A file kept is worth it when it is much smaller than its pixels, as compressed pictures are.
bool WorthKeeping(size_t fileBytes, size_t pixelBytes) { return fileBytes * 2 < pixelBytes; }

HRESULT CreateFromImage(IDirect3DDevice9* device, DecodedImage& image, const LoadRequest& request, D3DXIMAGE_INFO* info,
                        const std::shared_ptr<const std::vector<BYTE>>& file, IDirect3DTexture9** texture) {
  D3DCAPS9 caps{};
  HRESULT result = device->GetDeviceCaps(&caps);
  if (FAILED(result)) return result;
  for (ImageLevel& level : image.levels) ApplyColourKey(request.colourKey, &level);
  const UINT width = TextureSize(request.width, image.levels[0].width, caps.MaxTextureWidth);
  const UINT height = TextureSize(request.height, image.levels[0].height, caps.MaxTextureHeight);
  const D3DFORMAT format = TextureFormat(request.format, image.hasAlpha);
  const UINT count = LevelCount(request.mipLevels, width, height, UINT(image.levels.size()));
  IDirect3DTexture9* created = nullptr;
  result = device->CreateTexture(width, height, count, request.usage, format, request.pool, &created, nullptr);
  if (FAILED(result)) return result;
  auto* ours = dynamic_cast<D3D9::Texture9*>(created);
  std::vector<ImageLevel> levels = BuildLevels(image, request, width, height, count);
  std::vector<BYTE> packed;
  size_t pixelBytes = 0;
  for (UINT index = 0; index < count && ours != nullptr && SUCCEEDED(result); ++index) {
    PackLevel(levels[index], format, &packed);
    pixelBytes += packed.size();
    result = ours->WriteLevel(index, std::move(packed));
  }
  if (ours == nullptr || FAILED(result)) {
    created->Release();
    return D3DERR_INVALIDCALL;
  }
  if (file && WorthKeeping(file->size(), pixelBytes)) {
    ours->SetLevelSource(SourceFromFile(file, request, width, height, count, format));
  }
  FillInfo(image, info);
  *texture = created;
  return D3D_OK;
}

HRESULT LoadFromMemory(IDirect3DDevice9* device, const void* data, size_t size, const LoadRequest& request,
                       D3DXIMAGE_INFO* info, IDirect3DTexture9** texture) {
  if (texture == nullptr) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  if (device == nullptr || data == nullptr || !IsValidFilter(request.filter) || !IsValidFilter(request.mipFilter)) {
    return D3DERR_INVALIDCALL;
  }
  HRESULT result = D3D_OK;
  if (D3D9::TakeScriptedFailure("D3DXCreateTexture", &result)) return result;
  DecodedImage image;
  result = DecodeImage(static_cast<const BYTE*>(data), size, &image);
  if (FAILED(result)) return result;
  const BYTE* bytes = static_cast<const BYTE*>(data);
  const auto file = std::make_shared<const std::vector<BYTE>>(bytes, bytes + size);
  return CreateFromImage(device, image, request, info, file, texture);
}

// The file's bytes, or the Windows result of a file that is not there.
HRESULT ReadWholeFile(const char* path, std::vector<BYTE>* bytes) {
  const std::string native = ToNativePath(std::string(path));
  if (IsDirectory(native)) return D3DXERR_INVALIDDATA;
  if (!IsRegularFile(native)) {
    const size_t slash = native.find_last_of('/');
    const bool folderExists = slash == std::string::npos || IsDirectory(slash == 0 ? "/" : native.substr(0, slash));
    return folderExists ? HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) : HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
  }
  std::ifstream file(native, std::ios::binary);
  if (!file) return D3DXERR_INVALIDDATA;
  bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return D3D_OK;
}

HRESULT LoadFromFile(IDirect3DDevice9* device, LPCSTR path, const LoadRequest& request, D3DXIMAGE_INFO* info,
                     IDirect3DTexture9** texture) {
  if (texture == nullptr) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  if (device == nullptr || path == nullptr) return D3DERR_INVALIDCALL;
  std::vector<BYTE> bytes;
  const HRESULT result = ReadWholeFile(path, &bytes);
  if (FAILED(result)) return result;
  return LoadFromMemory(device, bytes.data(), bytes.size(), request, info, texture);
}

}  // namespace
}  // namespace D3DX
}  // namespace Platform

using Platform::D3DX::LoadRequest;

HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice9* device, LPCSTR path, IDirect3DTexture9** texture) {
  return Platform::D3DX::LoadFromFile(device, path, Platform::D3DX::kDefaultRequest, nullptr, texture);
}

HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice9* device, LPCSTR path, UINT width, UINT height, UINT mipLevels,
                                     DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter, DWORD mipFilter,
                                     D3DCOLOR colorKey, D3DXIMAGE_INFO* sourceInfo, PALETTEENTRY* /*palette*/,
                                     IDirect3DTexture9** texture) {
  const LoadRequest request{width, height, mipLevels, usage, format, pool, filter, mipFilter, colorKey};
  return Platform::D3DX::LoadFromFile(device, path, request, sourceInfo, texture);
}

HRESULT D3DXCreateTextureFromFileInMemory(IDirect3DDevice9* device, LPCVOID data, UINT size,
                                          IDirect3DTexture9** texture) {
  return Platform::D3DX::LoadFromMemory(device, data, size, Platform::D3DX::kDefaultRequest, nullptr, texture);
}

HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice9* device, LPCVOID data, UINT size, UINT width, UINT height,
                                            UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter,
                                            DWORD mipFilter, D3DCOLOR colorKey, D3DXIMAGE_INFO* sourceInfo,
                                            PALETTEENTRY* /*palette*/, IDirect3DTexture9** texture) {
  const LoadRequest request{width, height, mipLevels, usage, format, pool, filter, mipFilter, colorKey};
  return Platform::D3DX::LoadFromMemory(device, data, size, request, sourceInfo, texture);
}
