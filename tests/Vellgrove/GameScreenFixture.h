// A real device in a hidden 400 by 300 window whose viewport the sprite creator hands out, a
// working directory of its own for the pictures that screens load from files, "BLACK" registered
// as the texture list registers it, and frames drawn one at a time and read back.
#pragma once

#include "BackBufferRGB.h"
#include "KorvexCoreException.h"
#include "SRenderDevice.h"
#include "STextureManager.h"
#include "SViewportFactory.h"
#include "TempFolder.h"
#include "VGSpriteCreator.h"

#include "Platform/D3D9TestHooks.h"
#include "Platform/TestHooks.h"
#include "Platform/Win32Window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace GameTest {

// An uncompressed 32-bit DDS picture, texels (ARGB) by position, as the game's data tools write
// them.
inline std::string DdsPicture(unsigned width, unsigned height, const std::function<uint32_t(unsigned, unsigned)>& argb) {
  std::string bytes = "DDS ";
  auto put = [&bytes](uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  put(124);
  put(0x1 | 0x2 | 0x4 | 0x8 | 0x1000);  // caps, height, width, pitch, pixel format
  put(height);
  put(width);
  put(width * 4);
  put(0);
  put(0);
  for (int i = 0; i < 11; ++i) put(0);
  put(32);
  put(0x41);  // RGB with alpha
  put(0);
  put(32);
  put(0x00FF0000);
  put(0x0000FF00);
  put(0x000000FF);
  put(0xFF000000);
  put(0x1000);
  for (int i = 0; i < 4; ++i) put(0);
  for (unsigned y = 0; y < height; ++y)
    for (unsigned x = 0; x < width; ++x) put(argb(x, y));
  return bytes;
}

inline std::string SolidDds(unsigned width, unsigned height, uint32_t argb) {
  return DdsPicture(width, height, [argb](unsigned, unsigned) { return argb; });
}

class GameScreenFixture : public ::testing::Test {
 protected:
  static constexpr int kWidth = 400;
  static constexpr int kHeight = 300;
  static constexpr DWORD kBlack = 0xFF000000;

  // Suites that read the game's own data stay where they were started.
  explicit GameScreenFixture(bool ownFolder = true) : m_ownFolder(ownFolder) {}

  void SetUp() override {
    m_previousDirectory = std::filesystem::current_path();
    if (m_ownFolder) std::filesystem::current_path(folder.Path());
    window = CreateWindowExA(0, "Test", "Test", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    viewport = SCore::SViewportFactory::CreateViewport("D3D9Render");
    device = viewport->GetRenderDevice();
    device->Create(window, kWidth, kHeight, 0, 0);
    black = Texture("BLACK", 4, 1, kBlack);
    viewport->GetTextureManager()->AddTexture(black);
    Vellgrove::VGSpriteCreator::SetViewport(viewport);
  }

  void TearDown() override {
    Vellgrove::VGSpriteCreator::SetViewport(boost::shared_ptr<SCore::SViewport>());
    black.reset();
    device.reset();
    viewport.reset();
    DestroyWindow(window);
    Platform::Testing::UseRealClock();
    std::filesystem::current_path(m_previousDirectory);
  }

  boost::shared_ptr<SCore::STexture> Texture(const std::string& name, UINT width, UINT height, DWORD argb,
                                             D3DFORMAT format = D3DFMT_A8R8G8B8) {
    const boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture(name);
    texture->SetRenderDevice(device);
    texture->DoCreateEx(width, height, 1, format);
    D3DLOCKED_RECT locked{};
    texture->DoLockRect(0, &locked, nullptr, 0);
    for (UINT y = 0; y < height; ++y)
      for (UINT x = 0; x < width; ++x)
        reinterpret_cast<DWORD*>(static_cast<char*>(locked.pBits) + y * locked.Pitch)[x] = argb;
    texture->DoUnlockRect(0);
    return texture;
  }

  // The first texels of the first row of a texture.
  static std::vector<DWORD> FirstTexels(SCore::STexture& texture, UINT count) {
    D3DLOCKED_RECT locked{};
    texture.DoLockRect(0, &locked, nullptr, 0);
    const DWORD* texels = static_cast<const DWORD*>(locked.pBits);
    std::vector<DWORD> read(texels, texels + count);
    texture.DoUnlockRect(0);
    return read;
  }

  // One frame on black with whatever the action draws; its pixels before presenting.
  std::vector<DWORD> Frame(const std::function<void()>& draw) { return TestSupport::DrawAndReadBack(*device, draw); }

  // The pixel at fractions of the screen, as the game places its sprites.
  static DWORD At(const std::vector<DWORD>& pixels, float x, float y) {
    return pixels[size_t(int(y * kHeight)) * kWidth + size_t(int(x * kWidth))];
  }

  TestSupport::TempFolder folder;
  HWND window = nullptr;
  boost::shared_ptr<SCore::SViewport> viewport;
  boost::shared_ptr<SCore::SRenderDevice> device;
  boost::shared_ptr<SCore::STexture> black;

 private:
  bool m_ownFolder;
  std::filesystem::path m_previousDirectory;
};

}  // namespace GameTest
