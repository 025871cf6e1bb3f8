#include "RenderTestSupport.h"

#include <boost/weak_ptr.hpp>
#include <gtest/gtest.h>

namespace {

class DeviceFonts : public RenderTest::RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    CreateWindowed();
    font = viewport->DoCreateFont();
  }

  // Clears the back buffer to black, draws a white "W" and counts the pixels that are not black.
  int LitPixelsOfText(SCore::SFont& drawn) {
    device->DoClearScene(0, 0, 0);
    drawn.DoDrawText(0, 0, kWidth, kHeight, "W", 0xFFFFFFFF, DT_LEFT | DT_TOP);
    int lit = 0;
    for (DWORD pixel : BackBufferPixels()) lit += (pixel & 0xFFFFFF) != 0;
    return lit;
  }

  boost::shared_ptr<SCore::SFont> font;
};

TEST_F(DeviceFonts, DrawsTextBeforeAndAfterAReset) {
  EXPECT_EQ(LitPixelsOfText(*font), 0);  // not created yet
  font->DoCreate(device);
  EXPECT_GT(LitPixelsOfText(*font), 20);
  d3d9->Reset();
  EXPECT_GT(LitPixelsOfText(*font), 20);
}

TEST_F(DeviceFonts, AReleasedOrDestroyedFontIsLeftOutOfLaterResets) {
  font->DoCreate(device);
  font->Release();
  font->Release();  // harmless
  d3d9->Reset();
  EXPECT_EQ(LitPixelsOfText(*font), 0);

  font->DoCreate(device);
  font->DoCreate(device);  // the first native font goes, and with it its registration
  const boost::shared_ptr<SCore::SFont> other = viewport->DoCreateFont();
  other->DoCreate(device);
  font.reset();
  d3d9->Reset();
  EXPECT_GT(LitPixelsOfText(*other), 20);
}

TEST_F(DeviceFonts, AFontMayOutliveItsDevice) {
  font->DoCreate(device);
  IDirect3DDevice9* native = device->Lock();
  native->AddRef();
  device->Unlock();
  const boost::weak_ptr<SCore::SRenderDevice> watched = device;
  d3d9.reset();
  device.reset();
  viewport.reset();
  EXPECT_TRUE(watched.expired()) << "the font does not keep its device alive";
  font.reset();
  EXPECT_EQ(native->Release(), 0u) << "the font has let go of the native device";
}

}  // namespace
