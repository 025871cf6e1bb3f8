#include "RenderTestSupport.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

using RenderTest::FailureOf;

namespace {

const std::string kTextureSource = " .\\Src\\dx9\\SD3D9Texture at:";

// A three by two picture of 24-bit pixels in the BMP file format.
std::string SmallBitmap() {
  const unsigned char header[54] = {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file: size, pixel offset
                                    40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0,              // width 3, height 2
                                    1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0,             // 24 bits, uncompressed
                                    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  std::string bytes(reinterpret_cast<const char*>(header), sizeof header);
  bytes += std::string(24, '\x7F');  // two rows of three pixels, each padded to 12 bytes
  return bytes;
}

class Textures : public RenderTest::RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    CreateWindowed();
  }

  boost::shared_ptr<SCore::STexture> Texture(const std::string& name = "Stone") {
    const boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture(name);
    texture->SetRenderDevice(device);
    return texture;
  }

  // The native texture that the device has on a stage.
  IDirect3DBaseTexture9* Bound(DWORD stage) {
    IDirect3DBaseTexture9* bound = nullptr;
    Native()->GetTexture(stage, &bound);
    if (bound != nullptr) bound->Release();
    return bound;
  }

  static DWORD StageState(IDirect3DDevice9* native, DWORD stage, D3DTEXTURESTAGESTATETYPE type) {
    DWORD value = 0xDEAD;
    native->GetTextureStageState(stage, type, &value);
    return value;
  }
};

TEST_F(Textures, NewTextureIsEmptyWithTheIdentityTransform) {
  const boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture("Stone");
  EXPECT_EQ(texture->GetPath(), "");
  EXPECT_FALSE(texture->GetRenderDevice());
  EXPECT_EQ(texture->GetNative(), nullptr);
  EXPECT_FALSE(texture->UseTransform);
  EXPECT_EQ(texture->Transform.f11 + texture->Transform.f22 + texture->Transform.f33 + texture->Transform.f44, 4.0f);
  EXPECT_EQ(texture->Transform.f12 + texture->Transform.f41, 0.0f);
  EXPECT_EQ(texture->GetWidth(), 0u);
}

TEST_F(Textures, CreatesFullChainsOfTheFormatOfItsDepth) {
  const struct {
    UINT depth;
    D3DFORMAT format;
  } cases[] = {{16, D3DFMT_A1R5G5B5}, {32, D3DFMT_A8R8G8B8}};
  for (const auto& c : cases) {
    const boost::shared_ptr<SCore::STexture> texture = Texture();
    texture->DoCreate(64, 32, c.depth);
    EXPECT_EQ(texture->GetNative()->GetLevelCount(), 7u);
    D3DSURFACE_DESC description{};
    texture->GetNative()->GetLevelDesc(0, &description);
    EXPECT_EQ(description.Format, c.format);
    EXPECT_EQ(description.Pool, D3DPOOL_MANAGED);
    EXPECT_EQ(texture->GetWidth(), 64u);
    EXPECT_EQ(texture->GetHeight(), 32u);
  }
  EXPECT_EQ(FailureOf([&] { Texture()->DoCreate(64, 64, 24); }),
            "can't create texture - unknown Color Depth SD3D9Texture::DoCreate()" + kTextureSource);
}

TEST_F(Textures, EveryFailedCreationRaisesItsText) {
  const struct {
    HRESULT result;
    const char* suffix;
  } cases[] = {{E_OUTOFMEMORY, "OUTOFMEMORY"},
               {D3DERR_OUTOFVIDEOMEMORY, "OUTOFVIDEOMEMORY"},
               {D3DERR_INVALIDCALL, "INVALIDCALL"},
               {E_FAIL, "UNKNOWN ERROR"}};
  for (const auto& c : cases) {
    const boost::shared_ptr<SCore::STexture> texture = Texture();
    Platform::Testing::FailNextCall("CreateTexture", c.result);
    EXPECT_EQ(FailureOf([&] { texture->DoCreate(8, 8, 32); }),
              "can't create texture: " + std::string(c.suffix) + " SD3D9Texture::DoCreateEx()" + kTextureSource +
                  " SD3D9Texture::DoCreate()" + kTextureSource);
    EXPECT_EQ(texture->GetNative(), nullptr);
    EXPECT_EQ(texture->GetWidth(), 0u);
    Platform::Testing::FailNextCall("CreateTexture", c.result);
    EXPECT_EQ(FailureOf([&] { texture->DoCreateAsRenderTarget(8, 8); }),
              "can't create texture as render targer: " + std::string(c.suffix) +
                  " SD3D9Texture::DoCreateAsRenderTarget()" + kTextureSource);
  }
}

TEST_F(Textures, RenderTargetTakesTheBackBuffersFormatAndCanBeDrawnInto) {
  const boost::shared_ptr<SCore::STexture> target = Texture();
  target->DoCreateAsRenderTarget(16, 8);
  D3DSURFACE_DESC description{};
  target->GetNative()->GetLevelDesc(0, &description);
  EXPECT_EQ(description.Format, D3DFMT_X8R8G8B8);
  EXPECT_EQ(description.Usage, DWORD(D3DUSAGE_RENDERTARGET));
  EXPECT_EQ(description.Pool, D3DPOOL_DEFAULT);
  EXPECT_EQ(target->GetNative()->GetLevelCount(), 1u);

  device->DoSetRenderTarget(target.get());
  device->DoClearScene(0x10, 0x20, 0x30);
  IDirect3DSurface9* level = nullptr;
  target->GetNative()->GetSurfaceLevel(0, &level);
  EXPECT_EQ(Platform::Testing::ReadRenderTarget(level)[0], 0xFF102030u);
  level->Release();
  device->DoSetRenderTarget(nullptr);
  device->DoClearScene(0, 0, 0);
  EXPECT_EQ(BackBufferPixels()[0], 0xFF000000u);
  target->Release();  // the device lets go of a default-pool texture before it can be reset
  d3d9->Reset();
}

TEST_F(Textures, LoadsPicturesFromMemoryAndFiles) {
  const std::string bitmap = SmallBitmap();
  const boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture("Picture");
  texture->LoadFromMemory(device, bitmap.data(), UINT(bitmap.size()));
  EXPECT_EQ(texture->GetRenderDevice(), device);
  EXPECT_EQ(texture->GetPath(), "memory");
  EXPECT_EQ(texture->GetWidth(), 4u);  // as the library made it, not as the file has it
  EXPECT_EQ(texture->GetHeight(), 2u);
  EXPECT_EQ(texture->GetNative()->GetLevelCount(), 3u);

  const boost::shared_ptr<SCore::STexture> oneLevel = Texture();
  oneLevel->LoadFromMemory(device, bitmap.data(), UINT(bitmap.size()), 1);
  EXPECT_EQ(oneLevel->GetNative()->GetLevelCount(), 1u);
  D3DSURFACE_DESC description{};
  oneLevel->GetNative()->GetLevelDesc(0, &description);
  EXPECT_EQ(description.Format, D3DFMT_A8R8G8B8);

  const TestSupport::TempFolder folder;
  const std::string file = folder.Write("picture.bmp", bitmap);
  const boost::shared_ptr<SCore::STexture> fromFile = Texture();
  fromFile->Load(device, file);
  EXPECT_EQ(fromFile->GetPath(), file);
  EXPECT_EQ(fromFile->GetWidth(), 4u);
  SCore::STextureParameters parameters;
  parameters.MipLevels = 2;
  parameters.Format = D3DFMT_A8R8G8B8;
  parameters.Pool = D3DPOOL_MANAGED;
  parameters.Filter = parameters.MipFilter = 4;
  fromFile->DoLoad(file, parameters);  // a second load lets go of the first picture
  EXPECT_EQ(fromFile->GetNative()->GetLevelCount(), 2u);
}

TEST_F(Textures, FailedLoadsRaiseTheirTexts) {
  const boost::shared_ptr<SCore::STexture> texture = Texture();
  const TestSupport::TempFolder folder;
  const std::string missing = folder / "missing.png";
  EXPECT_EQ(FailureOf([&] { texture->Load(device, missing); }),
            "can't load texture:" + missing + " : file not found SD3D9Texture::DoLoad()" + kTextureSource);
  EXPECT_EQ(FailureOf([&] { texture->DoLoad(missing, SCore::STextureParameters()); }),
            "can't load texture:" + missing + " : file not found SD3D9Texture::DoLoad()" + kTextureSource);
  EXPECT_EQ(texture->GetPath(), "");
  const std::string garbage = "no picture at all";
  EXPECT_EQ(FailureOf([&] { texture->LoadFromMemory(device, garbage.data(), UINT(garbage.size())); }),
            "can't load texture from memory : INVALIDDATA");
  Platform::Testing::FailNextCall("D3DXCreateTexture", E_FAIL);
  const std::string bitmap = SmallBitmap();
  EXPECT_EQ(FailureOf([&] { texture->LoadFromMemory(device, bitmap.data(), UINT(bitmap.size()), 1); }),
            "can't load texture from memory : UNKNOWN ERROR");
  EXPECT_EQ(texture->GetNative(), nullptr);
  EXPECT_EQ(texture->GetWidth(), 0u);
}

TEST_F(Textures, TransformationIsSetAndDisabledPerStage) {
  const boost::shared_ptr<SCore::STexture> texture = Texture();
  texture->DoCreate(4, 4, 32);
  texture->Transform.f31 = 0.5f;
  texture->SetTextureTransformation(&texture->Transform, 1);
  IDirect3DDevice9* native = Native();
  EXPECT_EQ(StageState(native, 1, D3DTSS_TEXTURETRANSFORMFLAGS), DWORD(D3DTTFF_COUNT2));
  texture->ResetTextureTransformation(1);
  EXPECT_EQ(StageState(native, 1, D3DTSS_TEXTURETRANSFORMFLAGS), DWORD(D3DTTFF_DISABLE));
  D3DMATRIX kept{};
  native->GetTransform(D3DTRANSFORMSTATETYPE(D3DTS_TEXTURE0 + 1), &kept);
  EXPECT_EQ(kept._31, 0.5f);
  Platform::Testing::FailNextCall("SetTransform", D3DERR_INVALIDCALL);
  EXPECT_EQ(FailureOf([&] { texture->SetTextureTransformation(&texture->Transform, 0); }),
            "can't set transform for texture SD3D9Texture::SetTextureTransformation()" + kTextureSource);
}

TEST_F(Textures, LockedLevelHoldsTheDeviceAndAFailedLockLeavesItFree) {
  const boost::shared_ptr<SCore::STexture> texture = Texture();
  texture->DoCreate(4, 4, 32);
  D3DLOCKED_RECT locked{};
  texture->DoLockRect(0, &locked, nullptr, 0);
  static_cast<DWORD*>(locked.pBits)[0] = 0xFF00FF00;
  auto otherThreadLocks = [this] {
    return std::async(std::launch::async, [this] {
      device->Lock();
      device->Unlock();
    });
  };
  std::future<void> waiting = otherThreadLocks();
  EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
  texture->DoUnlockRect(0);
  EXPECT_EQ(waiting.wait_for(std::chrono::seconds(10)), std::future_status::ready);

  texture->Release();
  EXPECT_EQ(FailureOf([&] { texture->DoLockRect(0, &locked, nullptr, 0); }),
            "can't lock texture SD3D9Texture::DoLockRect()" + kTextureSource);
  EXPECT_EQ(otherThreadLocks().wait_for(std::chrono::seconds(10)), std::future_status::ready);
}

TEST_F(Textures, BindingIsSkippedOnlyWhileTheStageReallyHoldsTheTexture) {
  const boost::shared_ptr<SCore::STexture> texture = Texture();
  texture->DoCreate(4, 4, 32);
  texture->DoSet(0);
  EXPECT_EQ(Bound(0), texture->GetNative());
  Native()->SetTexture(0, nullptr);
  texture->DoSet(0);  // the device still takes it for bound
  EXPECT_EQ(Bound(0), nullptr);

  // A reset unbinds every texture, so the next binding goes to the platform.
  d3d9->Reset();
  texture->DoSet(0);
  EXPECT_EQ(Bound(0), texture->GetNative());

  // So does a texture that let go of its native texture and made another.
  texture->Release();
  texture->DoCreate(8, 8, 32);
  texture->DoSet(0);
  EXPECT_EQ(Bound(0), texture->GetNative());

  Platform::Testing::FailNextCall("SetTexture", D3DERR_INVALIDCALL);
  EXPECT_EQ(FailureOf([&] { texture->DoSet(1); }),
            "can't set texture SD3D9RenderDevice::DoSetTexture() .\\Src\\dx9\\SD3D9RenderDevice at:"
            " SD3D9Texture::DoSet()" + kTextureSource);
  texture->DoSet(1);  // tried again
  EXPECT_EQ(Bound(1), texture->GetNative());
  device->DoSetTexture(0, nullptr);
  device->DoSetTexture(1, nullptr);
}

}  // namespace
