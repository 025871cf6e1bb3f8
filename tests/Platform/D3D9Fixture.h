// A small windowed device over a hidden window, and the drawing helpers that pixel tests share.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "D3D9WindowFixture.h"
#include "Platform/D3D9.h"
#include "Platform/D3D9TestHooks.h"

namespace D3D9Test {

struct RhwVertex {  // D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1
  float x, y, z, rhw;
  D3DCOLOR colour;
  float u, v;
};
constexpr DWORD kRhwFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct XyzVertex {  // D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1
  float x, y, z;
  D3DCOLOR colour;
  float u, v;
};
constexpr DWORD kXyzFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct XyzNormalVertex {  // D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1
  float x, y, z;
  float nx, ny, nz;
  float u, v;
};
constexpr DWORD kXyzNormalFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

inline DWORD FloatBits(float value) {
  DWORD bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

inline UINT BytesPerPixel(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_A8:
    case D3DFMT_L8:
      return 1;
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
    case D3DFMT_A4R4G4B4:
    case D3DFMT_X4R4G4B4:
    case D3DFMT_A8L8:
      return 2;
    case D3DFMT_R8G8B8:
      return 3;
    default:
      return 4;
  }
}

inline D3DPRESENT_PARAMETERS WindowedParameters(HWND window) {
  D3DPRESENT_PARAMETERS parameters{};
  parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
  parameters.BackBufferCount = 1;
  parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
  parameters.hDeviceWindow = window;
  parameters.Windowed = TRUE;
  parameters.EnableAutoDepthStencil = TRUE;
  parameters.AutoDepthStencilFormat = D3DFMT_D16;
  parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
  return parameters;
}

// A windowed device over a hidden window of the given size.
template <int Width, int Height>
class DeviceFixtureOf : public TestSupport::D3D9WindowFixture<Width, Height> {
 protected:
  typedef TestSupport::D3D9WindowFixture<Width, Height> WindowFixture;
  using WindowFixture::kHeight;
  using WindowFixture::kWidth;

  void SetUp() override {
    WindowFixture::SetUp();
    if (this->HasFatalFailure()) return;
    d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);
    parameters = WindowedParameters(this->window);
    parameters.SwapEffect = swapEffect;
    ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, this->window, D3DCREATE_HARDWARE_VERTEXPROCESSING, &parameters,
                                &device),
              D3D_OK);
    // The states the engine draws its sprites with.
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  }

  void TearDown() override {
    if (device != nullptr) {
      EXPECT_EQ(device->Release(), 0u);
    }
    if (d3d != nullptr) d3d->Release();
    WindowFixture::TearDown();
  }

  std::vector<DWORD> BackBufferPixels() { return WindowFixture::BackBufferPixelsOf(device); }

  DWORD Pixel(int x, int y) { return BackBufferPixels()[size_t(y) * kWidth + size_t(x)]; }

  template <class Vertex>
  void DrawVertices(DWORD fvf, D3DPRIMITIVETYPE type, UINT primitives, const std::vector<Vertex>& vertices) {
    IDirect3DVertexBuffer9* buffer = nullptr;
    const UINT length = UINT(vertices.size() * sizeof(Vertex));
    ASSERT_EQ(device->CreateVertexBuffer(length, D3DUSAGE_WRITEONLY, fvf, D3DPOOL_MANAGED, &buffer, nullptr), D3D_OK);
    void* data = nullptr;
    ASSERT_EQ(buffer->Lock(0, 0, &data, 0), D3D_OK);
    std::memcpy(data, vertices.data(), length);
    buffer->Unlock();
    device->SetFVF(fvf);
    device->SetStreamSource(0, buffer, 0, sizeof(Vertex));
    EXPECT_EQ(device->DrawPrimitive(type, 0, primitives), D3D_OK);
    device->SetStreamSource(0, nullptr, 0, 0);
    buffer->Release();
  }

  // A pre-transformed rectangle from (left, top) to (right, bottom) as two triangles.
  void DrawRect(float left, float top, float right, float bottom, D3DCOLOR colour, float z = 0.0f, float u0 = 0.0f,
                float v0 = 0.0f, float u1 = 1.0f, float v1 = 1.0f) {
    const std::vector<RhwVertex> vertices = {
        {left, top, z, 1.0f, colour, u0, v0},     {right, top, z, 1.0f, colour, u1, v0},
        {right, bottom, z, 1.0f, colour, u1, v1}, {left, top, z, 1.0f, colour, u0, v0},
        {right, bottom, z, 1.0f, colour, u1, v1}, {left, bottom, z, 1.0f, colour, u0, v1}};
    DrawVertices(kRhwFvf, D3DPT_TRIANGLELIST, 2, vertices);
  }

  // A texture of one level filled row by row. Each pixel comes as a DWORD whose low bytes hold it
  // as the format lays it out.
  IDirect3DTexture9* MakeTexture(UINT width, UINT height, const std::vector<DWORD>& pixels,
                                 D3DFORMAT format = D3DFMT_A8R8G8B8) {
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(device->CreateTexture(width, height, 1, 0, format, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    const UINT size = BytesPerPixel(format);
    for (UINT row = 0; row < height; ++row) {
      BYTE* line = static_cast<BYTE*>(locked.pBits) + row * UINT(locked.Pitch);
      for (UINT column = 0; column < width; ++column) {
        std::memcpy(line + column * size, &pixels[row * width + column], size);
      }
    }
    texture->UnlockRect(0);
    return texture;
  }

  IDirect3D9* d3d = nullptr;
  IDirect3DDevice9* device = nullptr;
  D3DPRESENT_PARAMETERS parameters{};
  // A copying swap keeps the back buffer out of the window; a fixture may ask for it before SetUp.
  D3DSWAPEFFECT swapEffect = D3DSWAPEFFECT_DISCARD;
};

using DeviceFixture = DeviceFixtureOf<8, 8>;

}  // namespace D3D9Test
