#include "DrawingTestSupport.h"

#include <gtest/gtest.h>

using RenderTest::FailureOf;

namespace {

const std::string kDeviceSource = " .\\Src\\dx9\\SD3D9RenderDevice at:";

class Drawing : public RenderTest::DrawingFixture {
 protected:
  static DWORD Bits(float value) {
    DWORD bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
  }
};

TEST_F(Drawing, IndexedDrawCountsPrimitivesFromTheIndicesAndPlainDrawFromTheVertices) {
  device->DoClearScene(0, 0, 0xFF);
  device->DoClearScene(1.0f);
  device->DoBeginScene();
  FillQuad(0xFFFF0000);
  DrawQuad();
  EXPECT_EQ(LeftUpper(), 0xFFFF0000u);
  EXPECT_EQ(LeftLower(), 0xFFFF0000u);
  EXPECT_EQ(RightLower(), 0xFFFF0000u);

  // Four vertices of a triangle list make one triangle: left-upper, right-upper, right-lower.
  device->DoClearScene(0, 0, 0xFF);
  device->DoBindVertexBuffer(vertices);
  device->DoRender(vertices, 0);
  EXPECT_EQ(RightLower(), 0xFFFF0000u);
  EXPECT_EQ(LeftLower(), 0xFF0000FFu);
  device->EndScene();
}

TEST_F(Drawing, BindsBuffersToTheFirstStreamAndTheIndices) {
  device->DoBindVertexBuffer(vertices);
  device->DoBindIndexBuffer(indices);
  IDirect3DVertexBuffer9* stream = nullptr;
  UINT offset = 1;
  UINT stride = 0;
  Native()->GetStreamSource(0, &stream, &offset, &stride);
  EXPECT_EQ(stream, vertices->GetNative());
  EXPECT_EQ(offset, 0u);
  EXPECT_EQ(stride, UINT(sizeof(RenderTest::QuadVertex)));
  if (stream != nullptr) stream->Release();
  DWORD fvf = 0;
  device->DoRender(vertices, 0);
  Native()->GetFVF(&fvf);
  EXPECT_EQ(fvf, RenderTest::kQuadFvf);
}

TEST_F(Drawing, AFailedPlainDrawRaisesWhileAFailedIndexedDrawIsIgnored) {
  device->DoBindVertexBuffer(vertices);
  device->DoBindIndexBuffer(indices);
  Platform::Testing::FailNextCall("DrawPrimitive", D3DERR_INVALIDCALL);
  EXPECT_EQ(FailureOf([&] { device->DoRender(vertices, 0); }),
            "can't draw primitive SD3D9RenderDevice::DoRender()" + kDeviceSource);
  Platform::Testing::FailNextCall("DrawIndexedPrimitive", D3DERR_INVALIDCALL);
  EXPECT_EQ(FailureOf([&] { device->DoRender(vertices, indices, 0); }), "no failure");
}

TEST_F(Drawing, MissingBuffersAndUnknownPrimitiveTypesRaiseBeforeAnythingIsDrawn) {
  const boost::shared_ptr<SCore::SVertexBuffer> noVertices;
  const boost::shared_ptr<SCore::SIndexBuffer> noIndices;
#ifdef NDEBUG
  EXPECT_EQ(FailureOf([&] { device->DoBindVertexBuffer(noVertices); }),
            "can't bind vertex buffer SD3D9RenderDevice::DoBindVertexBuffer()" + kDeviceSource);
  EXPECT_EQ(FailureOf([&] { device->DoBindIndexBuffer(noIndices); }),
            "can't bind index buffer SD3D9RenderDevice::DoBindIndexBuffer()" + kDeviceSource);
  EXPECT_EQ(FailureOf([&] { device->DoRender(vertices, noIndices, 0); }),
            "can't render: no index buffer SD3D9RenderDevice::DoRender()" + kDeviceSource);
#endif
  vertices->PrimitiveType = 7;
  EXPECT_EQ(FailureOf([&] { device->DoRender(vertices, 0); }).substr(0, 33), "Primitivew type is not supported ");
}

TEST_F(Drawing, FiltrationFlagsBecomeSamplerFilters) {
  const struct {
    bool bilinear, trilinear, anisotropic;
    DWORD minification, mip;
  } cases[] = {
      {true, false, false, D3DTEXF_LINEAR, D3DTEXF_POINT},
      {false, true, true, D3DTEXF_ANISOTROPIC, D3DTEXF_LINEAR},
      {false, true, false, D3DTEXF_LINEAR, D3DTEXF_LINEAR},
      {false, false, false, D3DTEXF_POINT, D3DTEXF_NONE},
  };
  for (const auto& c : cases) {
    SCore::STextureFiltration filtration;
    filtration.IsBilinear = c.bilinear;
    filtration.IsTrilinear = c.trilinear;
    filtration.IsAnisotropic = c.anisotropic;
    device->DoSetTextureFiltration(1, filtration);
    const DWORD magnification = c.minification == D3DTEXF_NONE ? D3DTEXF_POINT : c.minification;
    EXPECT_EQ(SamplerState(1, D3DSAMP_MINFILTER), c.minification);
    EXPECT_EQ(SamplerState(1, D3DSAMP_MIPFILTER), c.mip);
    EXPECT_EQ(SamplerState(1, D3DSAMP_MAGFILTER), magnification);
  }
  EXPECT_EQ(SamplerState(0, D3DSAMP_MINFILTER), DWORD(D3DTEXF_POINT));  // other stages untouched
}

TEST_F(Drawing, FogSettingsGoToTheModeStateOfTheirKind) {
  device->DoSetFog(device->Fog);
  EXPECT_EQ(RenderState(D3DRS_FOGCOLOR), 0xFFFFFFFFu);
  EXPECT_EQ(RenderState(D3DRS_FOGVERTEXMODE), DWORD(D3DFOG_LINEAR));
  EXPECT_EQ(RenderState(D3DRS_FOGSTART), Bits(0.0f));
  EXPECT_EQ(RenderState(D3DRS_FOGEND), Bits(1000.0f));
  EXPECT_EQ(RenderState(D3DRS_RANGEFOGENABLE), 0u);
  EXPECT_EQ(RenderState(D3DRS_FOGENABLE), 0u);  // the material switches fog on

  SCore::SFog exponential;
  exponential.IsLinear = 0;
  exponential.IsTableFog = 1;
  exponential.Density = 0.25f;
  exponential.IsRangeFog = 1;
  const unsigned char colour[4] = {0x80, 0x10, 0x20, 0x30};
  std::memcpy(exponential.Color, colour, sizeof colour);
  device->DoSetFog(exponential);
  EXPECT_EQ(RenderState(D3DRS_FOGCOLOR), 0x80102030u);
  EXPECT_EQ(RenderState(D3DRS_FOGTABLEMODE), DWORD(D3DFOG_EXP));
  EXPECT_EQ(RenderState(D3DRS_FOGVERTEXMODE), DWORD(D3DFOG_LINEAR));
  EXPECT_EQ(RenderState(D3DRS_FOGDENSITY), Bits(0.25f));
  EXPECT_EQ(RenderState(D3DRS_RANGEFOGENABLE), 0u);  // range fog belongs to vertex fog only
}

TEST_F(Drawing, DrawsIntoATextureTargetAndBackIntoTheBackBuffer) {
  const boost::shared_ptr<SCore::STexture> target = viewport->CreateTexture("Target");
  target->SetRenderDevice(device);
  target->DoCreateAsRenderTarget(kWidth, kHeight);
  device->DoClearScene(0, 0, 0);
  device->DoClearScene(1.0f);
  device->DoBeginScene();
  device->DoSetRenderTarget(target.get());
  device->DoClearScene(0x10, 0x20, 0x30);
  device->DoClearScene(1.0f);
  FillQuad(0xFF00FF00);
  device->DoBindVertexBuffer(vertices);
  device->DoRender(vertices, 0);
  device->DoSetRenderTarget(nullptr);
  FillQuad(0xFFFF0000);
  DrawQuad();
  EXPECT_EQ(LeftLower(), 0xFFFF0000u);
  device->EndScene();

  IDirect3DSurface9* level = nullptr;
  target->GetNative()->GetSurfaceLevel(0, &level);
  const std::vector<DWORD> drawn = Platform::Testing::ReadRenderTarget(level);
  level->Release();
  EXPECT_EQ(PixelAt(drawn, kWidth - 3, kHeight - 3), 0xFF00FF00u);
  EXPECT_EQ(PixelAt(drawn, 2, kHeight - 3), 0xFF102030u);
  target->Release();  // a default-pool texture goes before the device can be reset
}

// A texture made where a destroyed one lay must not be taken for bound.
TEST_F(Drawing, TheTextureCacheForgetsDestroyedTextures) {
  for (int round = 0; round < 8; ++round) {
    boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture("Stone");
    texture->SetRenderDevice(device);
    texture->DoCreate(4, 4, 32);
    texture->DoSet(0);
    EXPECT_EQ(Bound(0), texture->GetNative()) << round;
    texture.reset();
  }
}

}  // namespace
