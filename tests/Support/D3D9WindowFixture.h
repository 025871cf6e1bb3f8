// A hidden window of a fixed size for a Direct3D 9 device, and the reading back of what the device
// drew, for the platform's own tests and the engine's alike.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "Platform/D3D9.h"
#include "Platform/D3D9TestHooks.h"
#include "Platform/Win32Window.h"

namespace TestSupport {

template <int Width, int Height>
class D3D9WindowFixture : public ::testing::Test {
 protected:
  static constexpr int kWidth = Width;
  static constexpr int kHeight = Height;

  void SetUp() override {
    window = CreateWindowExA(0, "Test", "Test", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
  }

  void TearDown() override {
    Platform::Testing::ClearFailures();
    if (window != nullptr) DestroyWindow(window);
  }

  // The device's back buffer, row by row from the top.
  static std::vector<DWORD> BackBufferPixelsOf(IDirect3DDevice9* device) {
    IDirect3DSurface9* backBuffer = nullptr;
    EXPECT_EQ(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer), D3D_OK);
    if (backBuffer == nullptr) return {};
    std::vector<DWORD> pixels = Platform::Testing::ReadRenderTarget(backBuffer);
    backBuffer->Release();
    return pixels;
  }

  HWND window = nullptr;
};

}  // namespace TestSupport
