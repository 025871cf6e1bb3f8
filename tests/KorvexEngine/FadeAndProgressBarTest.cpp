#include "DrawableTestSupport.h"
#include "SProgressBar.h"
#include "SSpriteTransition.h"
#include "STextureFontTransition.h"

#include "Platform/MMSystem.h"
#include "Platform/TestHooks.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <limits>

namespace {

using KorvexEngine::SSprite;
using KorvexEngine::SSpriteTransition;
using KorvexEngine::STextureFontTransition;

// Milliseconds since the start of a 500 ms fade, with the alpha fading in and out along the quarter
// sine; the first update after the fade time gives the end value.
const struct {
  DWORD elapsed;
  int fadingIn, fadingOut;
} kFade[] = {{0, 0, 255}, {100, 78, 176}, {250, 180, 74}, {400, 242, 12}, {500, 254, 0}, {501, 255, 0}};

class Fades : public RenderTest::DrawableFixture {
 protected:
  void SetUp() override {
    DrawableFixture::SetUp();
    Platform::Testing::SetFakeClock(1000);
  }
  void TearDown() override {
    Platform::Testing::UseRealClock();
    DrawableFixture::TearDown();
  }

  // What an owner does to start a fade: the mode, a running state and a fresh clock.
  template <typename Transition>
  static void Start(Transition& transition, int mode) {
    transition.Mode = mode;
    transition.State = 2;
    transition.StartTime = transition.CurrentTime = timeGetTime();
  }

  template <typename Transition>
  static void AdvanceTo(Transition& transition, DWORD elapsed) {
    Platform::Testing::SetFakeClock(transition.StartTime + elapsed);
    transition.Update();
  }

  // A sprite over the whole target, blended by the alpha of its corner colours.
  boost::shared_ptr<SSprite> BlendedSprite() {
    const auto sprite = boost::make_shared<SSprite>("Faded", false);
    sprite->Position = SCore::SRect{0.0f, 0.0f, 1.0f, 1.0f};
    sprite->CoordAligment = 1;
    Prepare(*sprite, White());
    sprite->Material.AlphaBlend = 1;
    sprite->Material.SrcBlend = D3DBLEND_SRCALPHA;
    sprite->Material.DstBlend = D3DBLEND_INVSRCALPHA;
    sprite->Material.AlphaOp = D3DTOP_MODULATE;
    return sprite;
  }
};

TEST_F(Fades, ASpriteFadesInAndOutOnScreenAlongTheQuarterSine) {
  SSpriteTransition transition(500.0f);
  transition.Sprite = BlendedSprite();
  for (int mode : {1, 0}) {
    Start(transition, mode);
    for (const auto& step : kFade) {
      SCOPED_TRACE(testing::Message() << "mode " << mode << " at " << step.elapsed << " ms");
      AdvanceTo(transition, step.elapsed);
      const DWORD alpha = DWORD(mode == 1 ? step.fadingIn : step.fadingOut);
      EXPECT_EQ(transition.Sprite->ColorRD >> 24, alpha);
      const DWORD grey = 0xFF000000 | alpha << 16 | alpha << 8 | alpha;
      EXPECT_PRED2(RenderTest::NearColour, At(Draw(*transition.Sprite), kWidth / 2, kHeight / 2), grey);
    }
    EXPECT_EQ(transition.Mode, mode == 1 ? 3 : 2);
  }
}

TEST_F(Fades, ASpriteTransitionKeepsTheColourBitsAndHonoursItsRange) {
  SSpriteTransition transition(500.0f);
  transition.Sprite = boost::make_shared<SSprite>("Faded", false);
  transition.Sprite->ColorLU = 0x80123456;
  transition.Sprite->CacheValid = true;
  Start(transition, 1);
  AdvanceTo(transition, 250);
  EXPECT_EQ(transition.Sprite->ColorLU, 0xB4123456u);
  EXPECT_FALSE(transition.Sprite->CacheValid);

  SSpriteTransition idle(500.0f);
  idle.Sprite = transition.Sprite;
  idle.Update();
  EXPECT_EQ(idle.Mode, 3);
  EXPECT_EQ(idle.Sprite->ColorLU >> 24, 255u);
  idle.Mode = 2;
  idle.MinAlpha = 0.2f;
  idle.Update();
  EXPECT_EQ(idle.Sprite->ColorRU >> 24, 51u);

  SSpriteTransition alone(500.0f);
  Start(alone, 0);
  AdvanceTo(alone, 600);
  EXPECT_EQ(alone.Mode, 2);
}

TEST_F(Fades, AFontFadesItsAlphaAndRebuildsItsGlyphs) {
  STextureFontTransition transition(500.0f);
  transition.Font = boost::make_shared<KorvexEngine::STextureFont>(16.0f, 16.0f, 1.0f);
  for (int mode : {1, 0}) {
    Start(transition, mode);
    for (const auto& step : kFade) {
      SCOPED_TRACE(testing::Message() << "mode " << mode << " at " << step.elapsed << " ms");
      transition.Font->CacheValid = true;
      AdvanceTo(transition, step.elapsed);
      EXPECT_EQ(transition.Font->Color[0], mode == 1 ? step.fadingIn : step.fadingOut);
      EXPECT_FALSE(transition.Font->CacheValid);
    }
  }
}

TEST_F(Fades, RefuseAFadeTimeThatIsNotPositive) {
  for (float fadeTime : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
    SCOPED_TRACE(fadeTime);
    EXPECT_EQ(RenderTest::FailureOf([&] { SSpriteTransition transition(fadeTime); }), "m_fadeTime > 0");
    EXPECT_EQ(RenderTest::FailureOf([&] { STextureFontTransition transition(fadeTime); }), "m_fadeTime > 0");
  }
}

class ProgressBars : public RenderTest::DrawableFixture {
 protected:
  void SetUp() override {
    DrawableFixture::SetUp();
    bar.Create(viewport);
    bar.BackSprite.Position = SCore::SRect{0.25f, 0.25f, 0.5f, 0.5f};  // pixels 16 to 48 by 12 to 36
    bar.FillSprite.Position = bar.BackSprite.Position;
    bar.BackSprite.Material.Texture1 = Texture(1, 1, {kRed});
    bar.FillSprite.Material.Texture1 = Texture(1, 1, {kGreen});
    bar.Progress = 0.25f;
  }

  std::vector<DWORD> DrawBar() {
    device->DoClearScene(0, 0, 0);
    device->DoClearScene(1.0f);
    device->DoBeginScene();
    bar.DoRender();
    std::vector<DWORD> pixels = BackBufferPixels();
    device->EndScene();
    return pixels;
  }

  struct Expected {
    int x, y;
    DWORD colour;
  };
  static void ExpectPixels(const std::vector<DWORD>& pixels, std::initializer_list<Expected> expected) {
    for (const Expected& e : expected) EXPECT_EQ(At(pixels, e.x, e.y), e.colour) << e.x << ", " << e.y;
  }

  static constexpr DWORD kRed = 0xFFFF0000, kGreen = 0xFF00FF00;
  KorvexEngine::SProgressBar bar;
};

TEST_F(ProgressBars, FillFromTheLeft) {
  bar.Update();
  EXPECT_EQ(bar.FillSprite.Position.Width, 0.125f);
  EXPECT_EQ(bar.FillSprite.TexCoords.Width, 0.25f);
  const std::vector<DWORD> pixels = DrawBar();
  ExpectPixels(pixels, {{16, 24, kGreen}, {23, 24, kGreen}, {24, 24, kRed}, {47, 24, kRed}});
  EXPECT_EQ(Covered(pixels), (RenderTest::PixelBounds{16, 12, 48, 36}));
}

TEST_F(ProgressBars, FillFromTheBottom) {
  bar.IsVertical = 1;
  bar.BackSprite.Position = SCore::SRect{0.25f, 0.5f, 0.5f, 0.4f};
  bar.Update();
  EXPECT_FLOAT_EQ(bar.FillSprite.Position.Y, 0.8f);
  EXPECT_FLOAT_EQ(bar.FillSprite.Position.Height, 0.1f);
  EXPECT_EQ(bar.FillSprite.TexCoords.Y, 0.75f);
  // The back spans y 24 to 43.2, the fill 38.4 to 43.2.
  ExpectPixels(DrawBar(), {{30, 24, kRed}, {30, 38, kRed}, {30, 39, kGreen}, {30, 43, kGreen}, {30, 44, kBlack}});
}

TEST_F(ProgressBars, SkipAHiddenSpriteAndReportFailuresUnderTheBarsContext) {
  bar.Update();
  bar.FillSprite.Visible = false;
  EXPECT_EQ(Covered(DrawBar()), (RenderTest::PixelBounds{16, 12, 48, 36}));
  EXPECT_EQ(At(DrawBar(), 16, 24), kRed);

  bar.BackSprite.CoordAligment = 2;
  bar.Update();
  EXPECT_EQ(RenderTest::FailureOf([&] { bar.DoRender(); }),
            "CoordAligment must be 0 (centre) or 1 (left-upper corner) SSprite::FillVertexData() .\\Src\\SSprite at: "
            "SSprite::Precashing() .\\Src\\SSprite at: SProgressBar::DoRender() .\\Src\\sprogressbar at:");
}

}  // namespace
