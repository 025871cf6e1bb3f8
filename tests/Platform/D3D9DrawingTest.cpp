#include "D3D9Fixture.h"

using D3D9Test::DeviceFixture;

namespace {

class Drawing : public DeviceFixture {};

TEST_F(Drawing, ClearFillsTheTargetWithOpaqueColour) {
  ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF102030, 1.0f, 0), D3D_OK);
  const std::vector<DWORD> pixels = BackBufferPixels();
  ASSERT_EQ(pixels.size(), size_t(kWidth * kHeight));
  for (DWORD pixel : pixels) EXPECT_EQ(pixel, 0xFF102030u);
}

TEST_F(Drawing, PreTransformedRectangleCoversExactlyItsPixels) {
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
  DrawRect(2.0f, 1.0f, 5.0f, 3.0f, 0xFFFF0000);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
      EXPECT_EQ(Pixel(x, y), inside ? 0xFFFF0000u : 0xFF000000u) << x << "," << y;
    }
  }
}

}  // namespace
