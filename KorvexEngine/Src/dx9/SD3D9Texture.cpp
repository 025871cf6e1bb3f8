#include "SD3D9Texture.h"

#include "KorvexCoreDX9Exception.h"
#include "SD3D9DeviceLock.h"
#include "SD3D9NativeObjects.h"
#include "SD3D9RenderDevice.h"
#include "SD3D9ResultTexts.h"
#include "srethrow.h"

#include "Platform/D3DX9.h"

#include <boost/pointer_cast.hpp>

#include <cstring>

namespace SCore {

namespace {

const char* const kSource = ".\\Src\\dx9\\SD3D9Texture";

const SD3D9ResultTexts kCreateTexts = {{{E_OUTOFMEMORY, "OUTOFMEMORY"},
                                        {D3DERR_OUTOFVIDEOMEMORY, "OUTOFVIDEOMEMORY"},
                                        {D3DERR_INVALIDCALL, "INVALIDCALL"}},
                                       "UNKNOWN ERROR"};

const SD3D9ResultTexts kMemoryLoadTexts = {{{E_OUTOFMEMORY, " : OUTOFMEMORY"},
                                            {D3DERR_OUTOFVIDEOMEMORY, " : OUTOFVIDEOMEMORY"},
                                            {D3DERR_NOTAVAILABLE, " : NOTAVAILABLE"},
                                            {D3DXERR_INVALIDDATA, " : INVALIDDATA"},
                                            {D3DERR_INVALIDCALL, " : INVALIDCALL"}},
                                           " : UNKNOWN ERROR"};

SD3D9ResultTexts FileLoadTexts() {
  SD3D9ResultTexts texts = kMemoryLoadTexts;
  texts.listed.push_back({HRESULT_FROM_WIN32(2), " : file not found"});  // ERROR_FILE_NOT_FOUND
  texts.listed.push_back({HRESULT_FROM_WIN32(3), " : file not found"});  // ERROR_PATH_NOT_FOUND
  return texts;
}

// D3DX takes its own default for a full chain.
UINT MipLevelsArgument(UINT mipLevels) { return mipLevels == 0 ? D3DX_DEFAULT : mipLevels; }

}  // namespace

SD3D9Texture::~SD3D9Texture() { Release(); }

void SD3D9Texture::DoCreate(UINT width, UINT height, UINT colorDepth) {
  KORVEX_TRY
    if (colorDepth != 16 && colorDepth != 32) throw KorvexCoreDX9Exception("can't create texture - unknown Color Depth");
    DoCreateEx(width, height, 0, colorDepth == 16 ? D3DFMT_A1R5G5B5 : D3DFMT_A8R8G8B8);
  KORVEX_RETHROW("SD3D9Texture::DoCreate()", kSource)
}

void SD3D9Texture::DoCreateEx(UINT width, UINT height, UINT mipLevels, D3DFORMAT format) {
  KORVEX_TRY
    IDirect3DTexture9* created = nullptr;
    HRESULT result;
    {
      SD3D9DeviceLock hold(*m_renderDevice);
      result = hold.Native()->CreateTexture(width, height, mipLevels, 0, format, D3DPOOL_MANAGED, &created, nullptr);
    }
    RaiseIfFailed(result, "can't create texture: ", kCreateTexts);
    TakeNative(created);
  KORVEX_RETHROW("SD3D9Texture::DoCreateEx()", kSource)
}

void SD3D9Texture::DoCreateAsRenderTarget(UINT width, UINT height) {
  KORVEX_TRY
    IDirect3DSurface9* backBuffer = nullptr;
    HRESULT result;
    {
      SD3D9DeviceLock hold(*m_renderDevice);
      result = hold.Native()->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    }
    if (FAILED(result) || backBuffer == nullptr)
      throw KorvexCoreDX9Exception("can't create texture as render targer: GetBackBuffer(): INVALIDCALL");
    D3DSURFACE_DESC backBufferDescription{};
    {
      SD3D9DeviceLock hold(*m_renderDevice);
      backBuffer->GetDesc(&backBufferDescription);
    }
    {
      SD3D9DeviceLock hold(*m_renderDevice);
      backBuffer->Release();
    }
    IDirect3DTexture9* created = nullptr;
    {
      SD3D9DeviceLock hold(*m_renderDevice);
      result = hold.Native()->CreateTexture(width, height, 1, D3DUSAGE_RENDERTARGET, backBufferDescription.Format,
                                            D3DPOOL_DEFAULT, &created, nullptr);
    }
    RaiseIfFailed(result, "can't create texture as render targer: ", kCreateTexts);
    TakeNative(created);
  KORVEX_RETHROW("SD3D9Texture::DoCreateAsRenderTarget()", kSource)
}

void SD3D9Texture::Release() {
  if (m_native == nullptr) return;
  ForgetInDevice();
  ReleaseNative(m_native);
}

void SD3D9Texture::DoLockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
  KORVEX_TRY
    m_renderDevice->Lock();
    if (m_native == nullptr || FAILED(m_native->LockRect(level, locked, rect, flags))) {
      m_renderDevice->Unlock();
      throw KorvexCoreDX9Exception("can't lock texture");
    }
  KORVEX_RETHROW("SD3D9Texture::DoLockRect()", kSource)
}

void SD3D9Texture::DoUnlockRect(UINT level) {
  KORVEX_TRY
    const HRESULT result = m_native != nullptr ? m_native->UnlockRect(level) : D3DERR_INVALIDCALL;
    m_renderDevice->Unlock();
    if (FAILED(result)) throw KorvexCoreDX9Exception("can't unlock texture");
  KORVEX_RETHROW("SD3D9Texture::DoUnlockRect()", kSource)
}

void SD3D9Texture::DoLoad(const std::string& path, STextureParameters parameters) {
  KORVEX_TRY
    IDirect3DTexture9* created = nullptr;
    HRESULT result;
    {
      SD3D9DeviceLock hold(*m_renderDevice);
      result = D3DXCreateTextureFromFileExA(hold.Native(), path.c_str(), D3DX_DEFAULT, D3DX_DEFAULT,
                                            MipLevelsArgument(parameters.MipLevels), parameters.Usage,
                                            D3DFORMAT(parameters.Format), D3DPOOL(parameters.Pool), parameters.Filter,
                                            parameters.MipFilter, 0, nullptr, nullptr, &created);
    }
    RaiseIfFailed(result, "can't load texture:" + path, FileLoadTexts());
    TakeNative(created);
  KORVEX_RETHROW("SD3D9Texture::DoLoad()", kSource)
}

void SD3D9Texture::DoLoad(const std::string& path) {
  KORVEX_TRY
    IDirect3DTexture9* created = nullptr;
    HRESULT result;
    {
      SD3D9DeviceLock hold(*m_renderDevice);
      result = D3DXCreateTextureFromFileA(hold.Native(), path.c_str(), &created);
    }
    RaiseIfFailed(result, "can't load texture:" + path, FileLoadTexts());
    TakeNative(created);
  KORVEX_RETHROW("SD3D9Texture::DoLoad()", kSource)
}

void SD3D9Texture::DoLoadFromMemoryEx(const void* data, UINT size, STextureParameters parameters) {
  IDirect3DTexture9* created = nullptr;
  HRESULT result;
  {
    SD3D9DeviceLock hold(*m_renderDevice);
    result = D3DXCreateTextureFromFileInMemoryEx(hold.Native(), data, size, D3DX_DEFAULT, D3DX_DEFAULT,
                                                 MipLevelsArgument(parameters.MipLevels), parameters.Usage,
                                                 D3DFORMAT(parameters.Format), D3DPOOL(parameters.Pool),
                                                 parameters.Filter, parameters.MipFilter, 0, nullptr, nullptr, &created);
  }
  RaiseIfFailed(result, "can't load texture from memory", kMemoryLoadTexts);
  TakeNative(created);
}

void SD3D9Texture::DoLoadFromMemory(const void* data, UINT size) {
  IDirect3DTexture9* created = nullptr;
  HRESULT result;
  {
    SD3D9DeviceLock hold(*m_renderDevice);
    result = D3DXCreateTextureFromFileInMemory(hold.Native(), data, size, &created);
  }
  RaiseIfFailed(result, "can't load texture from memory", kMemoryLoadTexts);
  TakeNative(created);
}

void SD3D9Texture::DoSet(DWORD stage) {
  KORVEX_TRY
    m_renderDevice->DoSetTexture(stage, this);
  KORVEX_RETHROW("SD3D9Texture::DoSet()", kSource)
}

void SD3D9Texture::SetTextureTransformation(const SMatrix* matrix, DWORD stage) {
  KORVEX_TRY
    D3DMATRIX native;
    std::memcpy(&native, matrix, sizeof native);
    SD3D9DeviceLock hold(*m_renderDevice);
    hold.Native()->SetTextureStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    if (FAILED(hold.Native()->SetTransform(D3DTRANSFORMSTATETYPE(D3DTS_TEXTURE0 + stage), &native)))
      throw KorvexCoreDX9Exception("can't set transform for texture");
  KORVEX_RETHROW("SD3D9Texture::SetTextureTransformation()", kSource)
}

void SD3D9Texture::ResetTextureTransformation(DWORD stage) {
  KORVEX_TRY
    SD3D9DeviceLock hold(*m_renderDevice);
    hold.Native()->SetTextureStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
  KORVEX_RETHROW("SD3D9Texture::ResetTextureTransformation()", kSource)
}

// A texture made or loaded again lets go of the native texture it held before.
void SD3D9Texture::TakeNative(IDirect3DTexture9* created) {
  Release();
  m_native = created;
  FillSurface0Desc();
}

void SD3D9Texture::ForgetInDevice() {
  const boost::shared_ptr<SD3D9RenderDevice> device = boost::dynamic_pointer_cast<SD3D9RenderDevice>(m_renderDevice);
  if (device) device->ForgetTexture(this);
}

void SD3D9Texture::FillSurface0Desc() {
  KORVEX_TRY
    SD3D9DeviceLock hold(*m_renderDevice);
    IDirect3DSurface9* surface = nullptr;
    if (FAILED(m_native->GetSurfaceLevel(0, &surface))) return;
    surface->GetDesc(&m_surface0);
    surface->Release();
  KORVEX_RETHROW("SD3D9Texture::FillSurface0Desc()", kSource)
}

}  // namespace SCore
