#include <algorithm>

#include "D3D9Fixture.h"
#include "Platform/D3DX9.h"

namespace {

// The font the engine asks for: 32 pixels, bold, a face this system does not have.
LOGFONTA EngineFont() {
  LOGFONTA description{};
  description.lfHeight = 32;
  description.lfWeight = FW_BOLD;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfQuality = ANTIALIASED_QUALITY;
  std::strcpy(description.lfFaceName, "Arial");
  return description;
}

class DeviceFont : public D3D9Test::DeviceFixtureOf<96, 48> {
 protected:
  void SetUp() override {
    DeviceFixtureOf::SetUp();
    if (HasFatalFailure()) return;
    const LOGFONTA description = EngineFont();
    ASSERT_EQ(D3DXCreateFontIndirect(device, &description, &font), D3D_OK);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
  }

  void TearDown() override {
    if (font != nullptr) {
      EXPECT_EQ(font->Release(), 0u);
    }
    DeviceFixtureOf::TearDown();
  }

  // How many pixels in the columns [left, right) are not black.
  int LitPixels(int left, int right) {
    const std::vector<DWORD> pixels = BackBufferPixels();
    int lit = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = left; x < right; ++x) lit += (pixels[size_t(y) * kWidth + size_t(x)] & 0xFFFFFF) != 0;
    }
    return lit;
  }

  ID3DXFont* font = nullptr;
};

TEST_F(DeviceFont, MeasuresTextAsItsFontIsTall) {
  RECT rect{0, 0, 0, 0};
  const INT height = font->DrawTextA("Hello", -1, &rect, DT_CALCRECT, 0xFFFFFFFF);
  EXPECT_NEAR(height, 32, 3);  // a positive height asks for the whole cell
  EXPECT_EQ(rect.bottom, height);
  EXPECT_GT(rect.right, 40);
  RECT shorter{0, 0, 0, 0};
  font->DrawTextA("Hello", 2, &shorter, DT_CALCRECT, 0xFFFFFFFF);
  EXPECT_LT(shorter.right, rect.right);
  EXPECT_EQ(LitPixels(0, kWidth), 0);  // measuring draws nothing
}

TEST_F(DeviceFont, DrawsInsideItsRectangleAndLeavesTheDeviceStatesAlone) {
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
  device->SetFVF(D3DFVF_XYZ);
  RECT rect{0, 0, kWidth / 2, kHeight};
  ASSERT_EQ(font->Begin(), D3D_OK);
  EXPECT_GT(font->DrawTextA("WWWWWW", -1, &rect, DT_LEFT | DT_TOP, 0xFFFFFFFF), 0);
  ASSERT_EQ(font->End(), D3D_OK);
  EXPECT_GT(LitPixels(0, kWidth / 2), 50);
  EXPECT_EQ(LitPixels(kWidth / 2, kWidth), 0);  // clipped at the rectangle's right edge
  DWORD value = 0;
  device->GetRenderState(D3DRS_CULLMODE, &value);
  EXPECT_EQ(value, DWORD(D3DCULL_CW));
  device->GetRenderState(D3DRS_ALPHABLENDENABLE, &value);
  EXPECT_EQ(value, DWORD(FALSE));
  device->GetFVF(&value);
  EXPECT_EQ(value, DWORD(D3DFVF_XYZ));
  IDirect3DBaseTexture9* bound = nullptr;
  device->GetTexture(0, &bound);
  EXPECT_EQ(bound, nullptr);
}

TEST_F(DeviceFont, DrawsAgainAfterADeviceReset) {
  RECT rect{0, 0, kWidth, kHeight};
  font->DrawTextA("A", -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0xFFFFFFFF);
  EXPECT_GT(LitPixels(0, kWidth), 0);
  EXPECT_EQ(LitPixels(0, kWidth / 4), 0);  // centred
  ASSERT_EQ(font->OnLostDevice(), D3D_OK);
  ASSERT_EQ(device->Reset(&parameters), D3D_OK);
  ASSERT_EQ(font->OnResetDevice(), D3D_OK);
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
  font->DrawTextA("A", -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0xFFFFFFFF);
  EXPECT_GT(LitPixels(0, kWidth), 0);
}

TEST_F(DeviceFont, CreationChecksItsArguments) {
  ID3DXFont* other = nullptr;
  EXPECT_EQ(D3DXCreateFontIndirect(device, nullptr, &other), D3DERR_INVALIDCALL);
  const LOGFONTA description = EngineFont();
  EXPECT_EQ(D3DXCreateFontIndirect(nullptr, &description, &other), D3DERR_INVALIDCALL);
  EXPECT_EQ(other, nullptr);
}

}  // namespace
