// A device in a small window that draws drawables one frame at a time and reads back what they
// covered. A drawable's texture comes through its material, filtered to the nearest texel.
#pragma once

#include "RenderTestSupport.h"
#include "SMesh.h"
#include "STexture.h"
#include "STextureFiltration.h"
#include "smath_matrix.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace RenderTest {

struct PixelBounds {
  int left, top, right, bottom;  // right and bottom exclusive
  bool operator==(const PixelBounds& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
};

inline std::ostream& operator<<(std::ostream& out, const PixelBounds& b) {
  return out << "[" << b.left << ", " << b.right << ") x [" << b.top << ", " << b.bottom << ")";
}

// Channels within a small tolerance: colours of a Gouraud-shaded corner are interpolated.
inline bool NearColour(DWORD actual, DWORD expected) {
  const int tolerance = 12;
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > tolerance) return false;
  return true;
}

class DrawableFixture : public RenderFixture {
 protected:
  static constexpr DWORD kBlack = 0xFF000000;

  void SetUp() override {
    RenderFixture::SetUp();
    CreateWindowed();
  }

  void TearDown() override {
    for (auto& texture : textures) texture->Release();
    textures.clear();
    RenderFixture::TearDown();
  }

  // Texels row by row, ARGB.
  boost::shared_ptr<SCore::STexture> Texture(UINT width, UINT height, const std::vector<DWORD>& texels) {
    const boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture("Picture");
    texture->SetRenderDevice(device);
    texture->DoCreateEx(width, height, 1, D3DFMT_A8R8G8B8);
    D3DLOCKED_RECT locked{};
    texture->DoLockRect(0, &locked, nullptr, 0);
    for (UINT y = 0; y < height; ++y)
      for (UINT x = 0; x < width; ++x)
        reinterpret_cast<DWORD*>(static_cast<char*>(locked.pBits) + y * locked.Pitch)[x] = texels[y * width + x];
    texture->DoUnlockRect(0);
    textures.push_back(texture);
    return texture;
  }

  boost::shared_ptr<SCore::STexture> White() { return Texture(1, 1, {0xFFFFFFFF}); }

  void Prepare(KorvexEngine::SMesh& mesh, const boost::shared_ptr<SCore::STexture>& texture) {
    mesh.m_Viewport = viewport;
    mesh.Material.Texture1 = texture;
    mesh.Material.Filtration1 = nearest;
  }

  // One frame on black with the mesh drawn through its render entry; the pixels before presenting.
  std::vector<DWORD> Draw(KorvexEngine::SMesh& mesh, const SCore::SMatrix& matrix = SCore::SMatrixIdentity()) {
    device->DoClearScene(0, 0, 0);
    device->DoClearScene(1.0f);
    device->DoBeginScene();
    mesh.Render(&matrix);
    std::vector<DWORD> pixels = BackBufferPixels();
    device->EndScene();
    return pixels;
  }

  static DWORD At(const std::vector<DWORD>& pixels, int x, int y) { return pixels[size_t(y) * kWidth + x]; }

  static PixelBounds Covered(const std::vector<DWORD>& pixels) {
    PixelBounds bounds{kWidth, kHeight, 0, 0};
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (At(pixels, x, y) != kBlack) {
          bounds.left = std::min(bounds.left, x);
          bounds.top = std::min(bounds.top, y);
          bounds.right = std::max(bounds.right, x + 1);
          bounds.bottom = std::max(bounds.bottom, y + 1);
        }
    return bounds;
  }

  std::vector<boost::shared_ptr<SCore::STexture>> textures;
  const boost::shared_ptr<SCore::STextureFiltration> nearest = Nearest();

 private:
  static boost::shared_ptr<SCore::STextureFiltration> Nearest() {
    const auto filtration = boost::make_shared<SCore::STextureFiltration>();
    filtration->IsBilinear = false;
    return filtration;
  }
};

}  // namespace RenderTest
