#include "DrawingTestSupport.h"
#include "STextureAnimatorFloating.h"
#include "STextureAnimatorFrame.h"

#include <boost/weak_ptr.hpp>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <vector>

using RenderTest::FailureOf;

namespace {

const DWORD kRed = 0xFFFF0000;
const DWORD kGreen = 0xFF00FF00;
const DWORD kBlue = 0xFF0000FF;
const DWORD kWhite = 0xFFFFFFFF;

class MaterialApplication : public RenderTest::DrawingFixture {
 protected:
  void SetUp() override {
    DrawingFixture::SetUp();
    Platform::Testing::SetFakeClock(1000);
  }

  void TearDown() override {
    Platform::Testing::UseRealClock();
    DrawingFixture::TearDown();
  }

  // A one-row texture with one texel per colour.
  boost::shared_ptr<SCore::STexture> Painted(const std::vector<DWORD>& texels) {
    const boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture("Painted");
    texture->SetRenderDevice(device);
    texture->DoCreateEx(UINT(texels.size()), 1, 1, D3DFMT_A8R8G8B8);
    D3DLOCKED_RECT locked{};
    texture->DoLockRect(0, &locked, nullptr, 0);
    std::copy(texels.begin(), texels.end(), static_cast<DWORD*>(locked.pBits));
    texture->DoUnlockRect(0);
    return texture;
  }

  // Sharp texels, so that each pixel shows exactly one of them.
  static boost::shared_ptr<SCore::STextureFiltration> PointFiltration() {
    boost::shared_ptr<SCore::STextureFiltration> filtration(new SCore::STextureFiltration);
    filtration->IsBilinear = false;
    return filtration;
  }

  // Clears, applies the material, draws the quad and answers the pixels of the frame.
  std::vector<DWORD> DrawFrame(const SCore::SMaterial& material, BYTE red = 0, BYTE green = 0, BYTE blue = 0) {
    device->DoClearScene(red, green, blue);
    device->DoClearScene(1.0f);
    device->DoBeginScene();
    device->SetMaterial(material);
    DrawQuad();
    std::vector<DWORD> pixels = BackBufferPixels();
    device->EndScene();
    return pixels;
  }

  DWORD Left(const std::vector<DWORD>& pixels) { return PixelAt(pixels, 4, kHeight / 2); }
  DWORD Right(const std::vector<DWORD>& pixels) { return PixelAt(pixels, kWidth - 5, kHeight / 2); }
};

bool Near(DWORD actual, DWORD expected) {
  for (int shift = 0; shift < 32; shift += 8) {
    if (std::abs(int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > 2) return false;
  }
  return true;
}

TEST_F(MaterialApplication, DefaultMaterialSetsItsRenderStatesAndLeavesTheStagesAlone) {
  IDirect3DDevice9* native = Native();
  native->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
  native->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  native->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
  native->SetRenderState(D3DRS_LIGHTING, TRUE);
  native->SetRenderState(D3DRS_FOGENABLE, TRUE);
  native->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
  native->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_ANISOTROPIC);
  device->SetMaterial(SCore::SMaterial());
  const struct {
    D3DRENDERSTATETYPE state;
    DWORD value;
  } expected[] = {{D3DRS_CULLMODE, D3DCULL_NONE}, {D3DRS_ALPHABLENDENABLE, 0},          {D3DRS_SRCBLEND, 5},
                  {D3DRS_DESTBLEND, 8},           {D3DRS_FILLMODE, D3DFILL_SOLID},     {D3DRS_ZENABLE, 1},
                  {D3DRS_LIGHTING, 0},            {D3DRS_FOGENABLE, 0}};
  for (const auto& e : expected) EXPECT_EQ(RenderState(e.state), e.value) << e.state;
  EXPECT_EQ(StageState(0, D3DTSS_COLOROP), DWORD(D3DTOP_MODULATE));
  EXPECT_EQ(StageState(0, D3DTSS_ALPHAOP), DWORD(D3DTOP_SELECTARG1));
  EXPECT_EQ(StageState(0, D3DTSS_TEXTURETRANSFORMFLAGS), DWORD(D3DTTFF_COUNT2));
  EXPECT_EQ(SamplerState(0, D3DSAMP_MINFILTER), DWORD(D3DTEXF_ANISOTROPIC));
  EXPECT_EQ(Bound(0), nullptr);
}

TEST_F(MaterialApplication, OutOfRangeFillModesAndStageOperationsLeaveTheStatesAsTheyWere) {
  Native()->SetRenderState(D3DRS_FILLMODE, D3DFILL_WIREFRAME);
  for (int outOfRange : {0, 4, 27, -1}) {
    Native()->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_ADD);
    Native()->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_ADD);
    SCore::SMaterial material;
    material.FillMode = unsigned(outOfRange);
    material.ColorOp = material.AlphaOp = outOfRange;
    device->DoSetmaterial(material);
    EXPECT_EQ(RenderState(D3DRS_FILLMODE), DWORD(D3DFILL_WIREFRAME)) << outOfRange;
    if (outOfRange == 4) continue;  // a valid stage operation
    EXPECT_EQ(StageState(0, D3DTSS_COLOROP), DWORD(D3DTOP_ADD)) << outOfRange;
    EXPECT_EQ(StageState(0, D3DTSS_ALPHAOP), DWORD(D3DTOP_ADD)) << outOfRange;
  }
}

TEST_F(MaterialApplication, AnAnimatedStageWithoutFiltrationSetsTheTransformAndBindsTheTexture) {
  Native()->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_ANISOTROPIC);
  SCore::SMaterial material;
  material.Texture1 = Painted({kRed, kGreen});
  material.Animator1.reset(new SCore::STextureAnimatorFrame("Walk", 2, 1));
  device->SetMaterial(material);
  EXPECT_EQ(SamplerState(0, D3DSAMP_MINFILTER), DWORD(D3DTEXF_ANISOTROPIC));
  EXPECT_EQ(StageState(0, D3DTSS_TEXTURETRANSFORMFLAGS), DWORD(D3DTTFF_COUNT2));
  EXPECT_TRUE(material.Texture1->UseTransform);
  EXPECT_EQ(material.Animator1->Texture, material.Texture1);
  EXPECT_EQ(Bound(0), material.Texture1->GetNative());

  // Without its animator the stage's transform is switched off again.
  material.Animator1.reset();
  material.Filtration1 = PointFiltration();
  device->SetMaterial(material);
  EXPECT_FALSE(material.Texture1->UseTransform);
  EXPECT_EQ(StageState(0, D3DTSS_TEXTURETRANSFORMFLAGS), DWORD(D3DTTFF_DISABLE));
  EXPECT_EQ(SamplerState(0, D3DSAMP_MINFILTER), DWORD(D3DTEXF_POINT));
}

TEST_F(MaterialApplication, AFailingStageKeepsTheStatesAppliedBeforeAndLeavesTheDeviceUnlocked) {
  SCore::SMaterial material;
  material.CullMode = D3DCULL_CW;
  material.Texture2 = Painted({kRed});
  material.Animator2.reset(new SCore::STextureAnimatorFrame("Broken", 0, 1));
  EXPECT_EQ(FailureOf([&] { device->SetMaterial(material); }),
            "texture animator has an empty frame grid:Broken STextureAnimatorFrame::CalculateTransforms()"
            " .\\Src\\STextureAnimatorFrame at: STextureAnimator::DoUpdate() .\\Src\\STextureAnimator at:"
            " SAnimator::Update() .\\Src\\SAnimator at: SD3D9RenderDevice::DoSetmaterial()"
            " .\\Src\\dx9\\SD3D9RenderDevice at:");
  EXPECT_EQ(RenderState(D3DRS_CULLMODE), DWORD(D3DCULL_CW));
  EXPECT_NE(device->CurrentMaterial.CullMode, DWORD(D3DCULL_CW));  // not made current
  std::future<void> other = std::async(std::launch::async, [this] {
    device->Lock();
    device->Unlock();
  });
  EXPECT_EQ(other.wait_for(std::chrono::seconds(10)), std::future_status::ready);
}

TEST_F(MaterialApplication, AlphaBlendingMixesTheQuadWithTheClearColour) {
  SCore::SMaterial material;
  material.AlphaBlend = 1;
  material.DstBlend = D3DBLEND_INVSRCALPHA;
  material.AlphaOp = D3DTOP_MODULATE;  // the vertex alpha counts
  FillQuad(0x8000FF00);
  const std::vector<DWORD> pixels = DrawFrame(material, 0xFF, 0, 0);
  EXPECT_TRUE(Near(Left(pixels), 0xFF7F8000)) << std::hex << Left(pixels);
  material.AlphaBlend = 0;
  EXPECT_EQ(Left(DrawFrame(material, 0xFF, 0, 0)), kGreen);
}

TEST_F(MaterialApplication, AFrameAnimationAdvancesWithTheClock) {
  SCore::SMaterial material;
  material.Texture1 = Painted({kRed, kGreen, kBlue, kWhite});
  material.Filtration1 = PointFiltration();
  material.Animator1.reset(new SCore::STextureAnimatorFrame("Walk", 4, 1));
  const DWORD expected[] = {kRed, kGreen, kGreen, kWhite, kRed};
  const DWORD steps[] = {0, 1000, 500, 1500, 1000};
  for (size_t frame = 0; frame < 5; ++frame) {
    Platform::Testing::AdvanceFakeClock(steps[frame]);
    const std::vector<DWORD> pixels = DrawFrame(material);
    EXPECT_EQ(Left(pixels), expected[frame]) << frame;
    EXPECT_EQ(Right(pixels), expected[frame]) << frame;
  }
}

TEST_F(MaterialApplication, AFloatingAnimationWrapsThePictureAround) {
  SCore::SMaterial material;
  material.Texture1 = Painted({kRed, kGreen});
  material.Filtration1 = PointFiltration();
  boost::shared_ptr<SCore::STextureAnimatorFloating> floating(new SCore::STextureAnimatorFloating);
  floating->Style = SCore::STextureAnimatorFloating::kTowardsPlusU;
  floating->Step = 0.5f;
  material.Animator1 = floating;
  std::vector<DWORD> pixels = DrawFrame(material);
  EXPECT_EQ(Left(pixels), kRed);
  EXPECT_EQ(Right(pixels), kGreen);
  Platform::Testing::AdvanceFakeClock(1000);
  pixels = DrawFrame(material);
  EXPECT_EQ(Left(pixels), kGreen);
  EXPECT_EQ(Right(pixels), kRed);
  Platform::Testing::AdvanceFakeClock(3000);  // two whole turns
  pixels = DrawFrame(material);
  EXPECT_EQ(Left(pixels), kRed);
  EXPECT_EQ(Right(pixels), kGreen);
}

TEST_F(MaterialApplication, FogOnTheMaterialUsesTheDevicesSettings) {
  device->Fog.End = 0.25f;  // the quad lies beyond the fog's end
  const unsigned char blue[4] = {0xFF, 0, 0, 0xFF};
  std::copy(blue, blue + 4, device->Fog.Color);
  SCore::SMaterial material;
  EXPECT_EQ(Left(DrawFrame(material)), kWhite);
  material.IsFogEnable = 1;
  EXPECT_EQ(Left(DrawFrame(material)), kBlue);
  EXPECT_EQ(RenderState(D3DRS_FOGENABLE), DWORD(TRUE));
  EXPECT_EQ(RenderState(D3DRS_FOGCOLOR), kBlue);
}

// The device's current material holds its textures, and they hold the device.
TEST_F(MaterialApplication, TheDeviceGoesWithItsViewportAfterATexturedMaterial) {
  {
    SCore::SMaterial material;
    material.Texture1 = Painted({kRed});
    device->SetMaterial(material);
  }
  const boost::weak_ptr<SCore::SRenderDevice> watch = device;
  vertices.reset();
  indices.reset();
  d3d9.reset();
  device.reset();
  viewport.reset();
  EXPECT_TRUE(watch.expired());
}

}  // namespace
