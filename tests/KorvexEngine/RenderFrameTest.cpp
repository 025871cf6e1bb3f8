#include "RenderTestSupport.h"

#include <gtest/gtest.h>

namespace {

class FrameOperations : public RenderTest::RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    CreateWindowed();
  }

  void Set(D3DTRANSFORMSTATETYPE state, float value) {
    SCore::SMatrix matrix;
    matrix.f11 = value;
    device->DoSetTransform(state, &matrix);
  }

  float Get(D3DTRANSFORMSTATETYPE state) {
    SCore::SMatrix matrix;
    return device->DoGetTransform(&matrix, state)->f11;
  }
};

TEST_F(FrameOperations, ClearsToAnOpaqueColour) {
  device->DoClearScene(0x10, 0x20, 0x30);
  device->DoClearScene(1.0f);
  EXPECT_EQ(BackBufferPixels()[0], 0xFF102030u);
}

TEST_F(FrameOperations, OneStackKeepsTheTransformsOfEveryState) {
  Set(D3DTS_WORLD, 1.0f);
  Set(D3DTS_VIEW, 2.0f);
  Set(D3DTS_PROJECTION, 3.0f);
  // Pushes and pops in pairs restore every state.
  for (D3DTRANSFORMSTATETYPE state : {D3DTS_WORLD, D3DTS_VIEW, D3DTS_PROJECTION}) device->DoPushTransform(state);
  Set(D3DTS_WORLD, 7.0f);
  Set(D3DTS_VIEW, 8.0f);
  Set(D3DTS_PROJECTION, 9.0f);
  for (D3DTRANSFORMSTATETYPE state : {D3DTS_PROJECTION, D3DTS_VIEW, D3DTS_WORLD}) device->DoPopTransform(state);
  EXPECT_EQ(Get(D3DTS_WORLD), 1.0f);
  EXPECT_EQ(Get(D3DTS_VIEW), 2.0f);
  EXPECT_EQ(Get(D3DTS_PROJECTION), 3.0f);
  // An entry does not remember its state.
  device->DoPushTransform(D3DTS_WORLD);
  device->DoPopTransform(D3DTS_VIEW);
  EXPECT_EQ(Get(D3DTS_VIEW), 1.0f);
  EXPECT_EQ(Get(D3DTS_WORLD), 1.0f);
  // An unpaired pop changes nothing.
  device->DoPopTransform(D3DTS_WORLD);
  EXPECT_EQ(Get(D3DTS_WORLD), 1.0f);
}

TEST_F(FrameOperations, AFailedTransformRaises) {
  Platform::Testing::FailNextCall("SetTransform", D3DERR_INVALIDCALL);
  EXPECT_EQ(RenderTest::FailureOf([&] { Set(D3DTS_WORLD, 1.0f); }),
            "can't set transform INVALIDCALL SD3D9RenderDevice::DoSetTransform() "
            ".\\Src\\dx9\\SD3D9RenderDevice at:");
}

}  // namespace
