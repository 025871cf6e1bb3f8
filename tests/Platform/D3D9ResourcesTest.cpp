#include <atomic>
#include <chrono>
#include <thread>

#include "D3D9Fixture.h"

using D3D9Test::DeviceFixture;

namespace {

class Resources : public DeviceFixture {};

TEST_F(Resources, BufferLocksStayInsideTheBufferAndNest) {
  IDirect3DVertexBuffer9* buffer = nullptr;
  ASSERT_EQ(device->CreateVertexBuffer(112, D3DUSAGE_WRITEONLY, D3D9Test::kRhwFvf, D3DPOOL_MANAGED, &buffer, nullptr),
            D3D_OK);
  D3DVERTEXBUFFER_DESC desc{};
  ASSERT_EQ(buffer->GetDesc(&desc), D3D_OK);
  EXPECT_EQ(desc.Size, 112u);
  EXPECT_EQ(desc.FVF, DWORD(D3D9Test::kRhwFvf));
  EXPECT_EQ(desc.Format, D3DFMT_VERTEXDATA);
  EXPECT_EQ(desc.Type, D3DRTYPE_VERTEXBUFFER);
  EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
  void* whole = nullptr;
  void* part = nullptr;
  ASSERT_EQ(buffer->Lock(0, 0, &whole, 0), D3D_OK);
  ASSERT_EQ(buffer->Lock(100, 12, &part, D3DLOCK_NOOVERWRITE), D3D_OK);
  EXPECT_EQ(static_cast<BYTE*>(part) - static_cast<BYTE*>(whole), 100);
  static_cast<BYTE*>(part)[11] = 0x5A;  // the last byte is writable
  EXPECT_EQ(buffer->Unlock(), D3D_OK);
  EXPECT_EQ(buffer->Unlock(), D3D_OK);
  EXPECT_EQ(buffer->Unlock(), D3DERR_INVALIDCALL);
  EXPECT_EQ(buffer->Lock(100, 13, &part, 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(buffer->Lock(113, 0, &part, 0), D3DERR_INVALIDCALL);
  // What was written stays readable, write-only usage or not.
  ASSERT_EQ(buffer->Lock(111, 1, &part, D3DLOCK_READONLY), D3D_OK);
  EXPECT_EQ(*static_cast<BYTE*>(part), 0x5A);
  buffer->Unlock();
  EXPECT_EQ(buffer->Release(), 0u);
}

TEST_F(Resources, BufferCreationChecksItsArguments) {
  IDirect3DVertexBuffer9* vertices = nullptr;
  IDirect3DIndexBuffer9* indices = nullptr;
  EXPECT_EQ(device->CreateVertexBuffer(0, 0, 0, D3DPOOL_MANAGED, &vertices, nullptr), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->CreateVertexBuffer(10, 0, D3D9Test::kRhwFvf, D3DPOOL_MANAGED, &vertices, nullptr),
            D3DERR_INVALIDCALL);  // shorter than one vertex
  EXPECT_EQ(device->CreateIndexBuffer(12, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &indices, nullptr), D3DERR_INVALIDCALL);
  Platform::Testing::FailNextCall("CreateIndexBuffer", E_OUTOFMEMORY);
  EXPECT_EQ(device->CreateIndexBuffer(12, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indices, nullptr), E_OUTOFMEMORY);
  ASSERT_EQ(device->CreateIndexBuffer(12, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indices, nullptr),
            D3D_OK);
  D3DINDEXBUFFER_DESC desc{};
  indices->GetDesc(&desc);
  EXPECT_EQ(desc.Format, D3DFMT_INDEX16);
  EXPECT_EQ(desc.Size, 12u);
  EXPECT_EQ(desc.Usage, DWORD(D3DUSAGE_WRITEONLY));
  indices->Release();
}

TEST_F(Resources, TextureHasAFullMipChainAndLocksEachLevel) {
  IDirect3DTexture9* texture = nullptr;
  ASSERT_EQ(device->CreateTexture(64, 16, 0, 0, D3DFMT_A1R5G5B5, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
  ASSERT_EQ(texture->GetLevelCount(), 7u);
  const UINT widths[] = {64, 32, 16, 8, 4, 2, 1};
  const UINT heights[] = {16, 8, 4, 2, 1, 1, 1};
  for (UINT level = 0; level < 7; ++level) {
    D3DSURFACE_DESC desc{};
    ASSERT_EQ(texture->GetLevelDesc(level, &desc), D3D_OK);
    EXPECT_EQ(desc.Width, widths[level]);
    EXPECT_EQ(desc.Height, heights[level]);
    EXPECT_EQ(desc.Format, D3DFMT_A1R5G5B5);
    EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
  }
  D3DLOCKED_RECT whole{};
  D3DLOCKED_RECT part{};
  ASSERT_EQ(texture->LockRect(1, &whole, nullptr, 0), D3D_OK);
  EXPECT_EQ(whole.Pitch, 64);
  EXPECT_EQ(texture->LockRect(1, &part, nullptr, 0), D3DERR_INVALIDCALL);  // already locked
  ASSERT_EQ(texture->UnlockRect(1), D3D_OK);
  EXPECT_EQ(texture->UnlockRect(1), D3DERR_INVALIDCALL);
  const RECT rect{2, 3, 4, 5};
  ASSERT_EQ(texture->LockRect(1, &part, &rect, 0), D3D_OK);
  EXPECT_EQ(static_cast<BYTE*>(part.pBits) - static_cast<BYTE*>(whole.pBits), 3 * 64 + 2 * 2);
  texture->UnlockRect(1);
  const RECT outside{30, 0, 33, 1};
  EXPECT_EQ(texture->LockRect(1, &part, &outside, 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(texture->LockRect(7, &part, nullptr, 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(texture->Release(), 0u);
}

// What is written under a lock reaches the drawing once unlocked, even when a draw came in between,
// whether or not the texture had been drawn with before.
TEST_F(Resources, WritesUnderALockShowAfterUnlockEvenWithADrawDuringTheLock) {
  for (bool drawnBefore : {false, true}) {
    SCOPED_TRACE(drawnBefore ? "drawn before the lock" : "first drawn during the lock");
    IDirect3DTexture9* texture = MakeTexture(1, 1, {0xFFFF0000});
    device->SetTexture(0, texture);
    if (drawnBefore) DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
    *static_cast<DWORD*>(locked.pBits) = 0xFF00FF00;
    ASSERT_EQ(texture->UnlockRect(0), D3D_OK);
    DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
    EXPECT_EQ(Pixel(0, 0), 0xFF00FF00u);
    device->SetTexture(0, nullptr);
    EXPECT_EQ(texture->Release(), 0u);
  }
}

TEST_F(Resources, TextureCreationChecksItsArguments) {
  IDirect3DTexture9* texture = nullptr;
  struct Case {
    UINT width, height, levels;
    DWORD usage;
    D3DFORMAT format;
    D3DPOOL pool;
  };
  const Case refused[] = {
      {0, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED},
      {4, 4, 1, 0, D3DFMT_D16, D3DPOOL_MANAGED},
      {4, 4, 4, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED},  // more levels than the chain has
      {4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED},
      {4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A1R5G5B5, D3DPOOL_DEFAULT},
  };
  for (const Case& entry : refused) {
    EXPECT_EQ(device->CreateTexture(entry.width, entry.height, entry.levels, entry.usage, entry.format, entry.pool,
                                    &texture, nullptr),
              D3DERR_INVALIDCALL)
        << entry.width << "x" << entry.height << " format " << entry.format;
  }
  ASSERT_EQ(device->CreateTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture, nullptr),
            D3D_OK);
  D3DLOCKED_RECT locked{};
  EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);  // render targets are not lockable
  texture->Release();
}

TEST_F(Resources, FormatsAreSampledAsDirect3DReadsThem) {
  struct Case {
    D3DFORMAT format;
    DWORD stored;    // the texel as it lies in memory, in its own size
    DWORD expected;  // what the stage reads, as ARGB
  };
  const Case cases[] = {
      {D3DFMT_A8R8G8B8, 0x80102030, 0x80102030}, {D3DFMT_X8R8G8B8, 0x00102030, 0xFF102030},
      {D3DFMT_R5G6B5, 0xF800, 0xFFFF0000},       {D3DFMT_A1R5G5B5, 0x83E0, 0xFF00FF00},
      {D3DFMT_X1R5G5B5, 0x001F, 0xFF0000FF},     {D3DFMT_A4R4G4B4, 0x8F0F, 0x88FF00FF},
      {D3DFMT_L8, 0x40, 0xFF404040},             {D3DFMT_A8L8, 0x8040, 0x80404040},
  };
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  // Blending with alpha over black shows the colour times its alpha; over white the alpha itself.
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ZERO);
  for (const Case& entry : cases) {
    // Two texels in a row, so that each must lie at its own place in the format's size.
    IDirect3DTexture9* texture = MakeTexture(2, 1, {entry.stored, entry.stored}, entry.format);
    device->SetTexture(0, texture);
    DrawRect(0.0f, 0.0f, 2.0f, 1.0f, 0xFFFFFFFF);
    const double alpha = double(entry.expected >> 24) / 255.0;
    for (int x : {0, 1}) {
      const DWORD pixel = Pixel(x, 0);
      for (int shift : {16, 8, 0}) {
        const double channel = double((entry.expected >> shift) & 0xFF) * alpha;
        EXPECT_NEAR(double((pixel >> shift) & 0xFF), channel, 3.0)
            << "format " << entry.format << " texel " << x << " shift " << shift;
      }
    }
    device->SetTexture(0, nullptr);
    texture->Release();
  }
}

TEST_F(Resources, SurfaceOfALevelKeepsItsTextureAlive) {
  IDirect3DTexture9* texture = nullptr;
  ASSERT_EQ(device->CreateTexture(8, 8, 2, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
  IDirect3DSurface9* surface = nullptr;
  ASSERT_EQ(texture->GetSurfaceLevel(1, &surface), D3D_OK);
  EXPECT_EQ(texture->Release(), 1u);  // the surface still holds it
  D3DSURFACE_DESC desc{};
  ASSERT_EQ(surface->GetDesc(&desc), D3D_OK);
  EXPECT_EQ(desc.Width, 4u);
  EXPECT_EQ(desc.Type, D3DRTYPE_SURFACE);
  D3DLOCKED_RECT locked{};
  EXPECT_EQ(surface->LockRect(&locked, nullptr, 0), D3D_OK);
  EXPECT_EQ(locked.Pitch, 16);
  EXPECT_EQ(surface->UnlockRect(), D3D_OK);
  EXPECT_EQ(surface->Release(), 0u);
}

TEST_F(Resources, DeviceHoldsWhatIsBound) {
  IDirect3DTexture9* texture = MakeTexture(1, 1, {0xFF00FF00});
  device->SetTexture(0, texture);
  EXPECT_EQ(texture->Release(), 1u);  // the device's reference remains
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
  EXPECT_EQ(Pixel(0, 0), 0xFF00FF00u);
  IDirect3DBaseTexture9* bound = nullptr;
  ASSERT_EQ(device->GetTexture(0, &bound), D3D_OK);
  EXPECT_EQ(bound, texture);
  EXPECT_EQ(bound->Release(), 1u);
  device->SetTexture(0, nullptr);  // frees it

  IDirect3DSurface9* backBuffer = nullptr;
  device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
  IDirect3DSurface9* target = nullptr;
  device->GetRenderTarget(0, &target);
  EXPECT_EQ(target, backBuffer);
  const ULONG held = target->Release();
  EXPECT_EQ(backBuffer->Release(), held - 1);
  EXPECT_EQ(device->GetBackBuffer(0, 1, D3DBACKBUFFER_TYPE_MONO, &backBuffer), D3DERR_INVALIDCALL);
}

TEST_F(Resources, ResourcesOutliveTheirDevice) {
  IDirect3DTexture9* texture = MakeTexture(2, 2, {1, 2, 3, 4});
  IDirect3DVertexBuffer9* buffer = nullptr;
  device->CreateVertexBuffer(64, 0, 0, D3DPOOL_MANAGED, &buffer, nullptr);
  EXPECT_EQ(device->Release(), 0u);
  device = nullptr;
  D3DLOCKED_RECT locked{};
  ASSERT_EQ(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
  EXPECT_EQ(static_cast<DWORD*>(locked.pBits)[3], 4u);
  texture->UnlockRect(0);
  EXPECT_EQ(texture->Release(), 0u);
  EXPECT_EQ(buffer->Release(), 0u);
}

TEST_F(Resources, SixteenBitBackBufferKeepsFiveSixFiveColours) {
  D3DPRESENT_PARAMETERS sixteen = parameters;
  sixteen.BackBufferFormat = D3DFMT_R5G6B5;
  ASSERT_EQ(device->Reset(&sixteen), D3D_OK);
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
  DrawRect(1.0f, 0.0f, 2.0f, 1.0f, 0xFF0C0C0C);  // below one step of five bits
  EXPECT_EQ(Pixel(0, 0), 0xFFFFFFFFu);
  // Red kept in five bits reads back as one of their 32 levels, not as the 0x0C drawn.
  const DWORD red = (Pixel(1, 0) >> 16) & 0xFF;
  const DWORD fiveBits = (red * 31 + 127) / 255;
  EXPECT_EQ(red, (fiveBits * 255 + 15) / 31);
  EXPECT_NE(red, 0x0Cu);
}

TEST_F(Resources, DrawingMovesBetweenThreadsOutsideScenes) {
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
  std::thread other([&] {
    DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0xFF00FF00);
    EXPECT_EQ(Pixel(0, 0), 0xFF00FF00u);
  });
  other.join();
  DrawRect(1.0f, 0.0f, 2.0f, 1.0f, 0xFF0000FF);
  EXPECT_EQ(Pixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(Pixel(1, 0), 0xFF0000FFu);
}

// A call from another thread inside the main thread's scene must not carry the context away with it.
TEST_F(Resources, AnotherThreadsCallInsideASceneLeavesTheContextFree) {
  ASSERT_EQ(device->BeginScene(), D3D_OK);
  std::thread other([&] { EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0), D3D_OK); });
  other.join();
  EXPECT_EQ(device->EndScene(), D3D_OK);
  EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  EXPECT_EQ(Pixel(0, 0), 0xFF00FF00u);
  ASSERT_EQ(device->BeginScene(), D3D_OK);
  EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0), D3D_OK);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0xFF0000FF);
  EXPECT_EQ(device->EndScene(), D3D_OK);
  EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  EXPECT_EQ(Pixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(Pixel(1, 0), 0xFF000000u);
}

TEST_F(Resources, DeviceAndResourcesMayOutliveTheirWindow) {
  IDirect3DTexture9* texture = MakeTexture(1, 1, {0xFF00FF00});
  device->SetTexture(0, texture);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
  DestroyWindow(window);
  window = nullptr;
  EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DRIVERINTERNALERROR);
  EXPECT_EQ(device->Release(), 0u);
  device = nullptr;
  EXPECT_EQ(texture->Release(), 0u);
}

TEST_F(Resources, LoaderThreadMakesAndFillsTexturesWhileTheMainThreadDraws) {
  std::atomic<bool> done{false};
  std::vector<IDirect3DTexture9*> made;
  std::thread loader([&] {
    for (int index = 0; index < 20; ++index) {
      IDirect3DTexture9* texture = nullptr;
      if (device->CreateTexture(16, 16, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr) != D3D_OK) break;
      D3DLOCKED_RECT locked{};
      texture->LockRect(0, &locked, nullptr, 0);
      std::memset(locked.pBits, 0xFF, 16 * 16 * 4);
      texture->UnlockRect(0);
      made.push_back(texture);
    }
    done = true;
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  int frames = 0;
  while ((!done || frames == 0) && std::chrono::steady_clock::now() < deadline) {
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    DrawRect(0.0f, 0.0f, 2.0f, 2.0f, 0xFF0000FF);
    ASSERT_EQ(device->EndScene(), D3D_OK);
    ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    ++frames;
  }
  loader.join();
  ASSERT_EQ(made.size(), 20u);
  device->SetTexture(0, made.back());
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
  EXPECT_EQ(Pixel(0, 0), 0xFFFFFFFFu);
  device->SetTexture(0, nullptr);
  for (IDirect3DTexture9* texture : made) texture->Release();
}

}  // namespace
