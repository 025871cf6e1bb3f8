#include "GameScreenFixture.h"

#include "SFadeCurve.h"
#include "VGFinalCut.h"

#include "Platform/MMSystem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using KorvexEngine::FadedIn;
using KorvexEngine::FadedOut;
using KorvexEngine::FadingIn;
using KorvexEngine::FadingOut;
using Vellgrove::VGFinalCut;

const DWORD kStart = 50000;
const DWORD kRed = 0xFFFF0000;
const DWORD kGreen = 0xFF00FF00;
const DWORD kBlue = 0xFF0000FF;

class FinalCut : public GameTest::GameScreenFixture {
 protected:
  void SetUp() override {
    GameScreenFixture::SetUp();
    Platform::Testing::SetFakeClock(kStart);
    const std::map<std::string, DWORD> textures = {{"FINALCUT", kRed},      {"FINALCUT2", kGreen},
                                                   {"FINALTEXT", 0xFFFFFFFF}, {"FINALTEXT2", kBlue},
                                                   {"FINALTEXT3", 0xFFFFFF00}};
    for (const auto& [name, colour] : textures) viewport->GetTextureManager()->AddTexture(Texture(name, 4, 4, colour));
    cut.reset(new VGFinalCut);
    cut->Start();
  }

  // Frames every step milliseconds up to the time of the showing; the last frame's pixels.
  std::vector<DWORD> PlayUntil(DWORD elapsed, DWORD step = 100) {
    std::vector<DWORD> pixels;
    while (true) {
      const DWORD now = timeGetTime() - kStart;
      pixels = Frame([this] { cut->Update(); });
      if (now >= elapsed) return pixels;
      Platform::Testing::AdvanceFakeClock(std::min(step, elapsed - now));
    }
  }

  std::string PictureName() const { return cut->GetPicture()->Material.Texture1->GetName(); }

  std::unique_ptr<VGFinalCut> cut;
};

TEST(FinalCutText, RisesRestsAndLeavesOnItsTimeline) {
  const float below = 768.0f / 768.0f - 0.000651041686f;
  const float rested = std::trunc((1.0f - 0.833f) * 768.0f) / 768.0f - 0.000651041686f;
  const struct {
    DWORD elapsed;
    float top;
  } cases[] = {
      {0, below},
      {7000, below},
      {12000, std::trunc((1.0f - 0.4165f) * 768.0f) / 768.0f - 0.000651041686f},
      {17000, rested},
      {20000, rested},
      {24000, rested},
      {28300, std::trunc((1.0f - (4300.0f / 5000.0f + 0.833f)) * 768.0f) / 768.0f - 0.000651041686f},
      {30000, below},
      {60000, below},
  };
  for (const auto& c : cases) EXPECT_FLOAT_EQ(VGFinalCut::TextTop(c.elapsed), c.top) << c.elapsed;
  EXPECT_LT(VGFinalCut::TextTop(28300) + 0.666667f, 0.0f);  // gone above the screen
}

TEST_F(FinalCut, EachStepOfTheTimelineTakesEffectOnceInItsWindow) {
  struct Moment {
    DWORD elapsed;
    int picture, text2, text3;
    float pictureMinimum;
    const char* pictureName;
  };
  const Moment moments[] = {
      {100, FadingIn, FadedOut, FadedOut, 0.0f, "FINALCUT"},
      {4200, FadedIn, FadedOut, FadedOut, 0.0f, "FINALCUT"},
      {7100, FadingOut, FadedOut, FadedOut, 0.4f, "FINALCUT"},  // dims behind the text
      {23000, FadedOut, FadedOut, FadedOut, 0.4f, "FINALCUT"},
      {24100, FadingIn, FadedOut, FadedOut, 0.4f, "FINALCUT"},
      {30100, FadingOut, FadedOut, FadedOut, 0.0f, "FINALCUT"},  // to black
      {34200, FadedOut, FadingIn, FadedOut, 0.0f, "FINALCUT"},
      {42200, FadedOut, FadingOut, FadedOut, 0.0f, "FINALCUT"},
      {46200, FadingIn, FadedOut, FadedOut, 0.0f, "FINALCUT2"},
      {58200, FadingOut, FadedOut, FadedOut, 0.0f, "FINALCUT2"},
      {62200, FadedOut, FadedOut, FadingIn, 0.0f, "FINALCUT2"},
      {70000, FadedOut, FadedOut, FadedIn, 0.0f, "FINALCUT2"},
  };
  for (const Moment& m : moments) {
    PlayUntil(m.elapsed);
    EXPECT_EQ(cut->GetPictureFade()->Mode, m.picture) << m.elapsed;
    EXPECT_EQ(cut->GetText2Fade()->Mode, m.text2) << m.elapsed;
    EXPECT_EQ(cut->GetText3Fade()->Mode, m.text3) << m.elapsed;
    EXPECT_FLOAT_EQ(cut->GetPictureFade()->MinAlpha, m.pictureMinimum) << m.elapsed;
    EXPECT_EQ(PictureName(), m.pictureName) << m.elapsed;
  }
  EXPECT_FLOAT_EQ(cut->GetPicture()->Position.Y, 0.0865885391831398f);
}

TEST_F(FinalCut, TheFramesShowThePictureFadingInAndTheLastText) {
  std::vector<DWORD> pixels = PlayUntil(3000);
  // The fade's curve reaches sin(1.57 * 0.75) of full at three quarters of its time.
  const DWORD red = (At(pixels, 0.1f, 0.1f) >> 16) & 0xFF;
  EXPECT_NEAR(red, 255 * std::sin(1.57 * 0.75), 3.0);
  EXPECT_EQ(At(pixels, 0.5f, 0.9f), At(pixels, 0.1f, 0.1f)) << "the text is still below the screen";

  pixels = PlayUntil(20000);
  EXPECT_EQ(At(pixels, 0.5f, 0.5f) & 0xFFFFFF, 0xFFFFFFu) << "the text rests mid-screen";
  EXPECT_NEAR((At(pixels, 0.1f, 0.1f) >> 16) & 0xFF, 0.4 * 255, 3.0) << "the picture dimmed to 40 %";

  pixels = PlayUntil(70000);
  EXPECT_EQ(At(pixels, 0.5f, 0.5f) & 0xFFFFFF, 0xFFFF00u) << "the last text stays";
}

TEST_F(FinalCut, AFrameGapLongerThanAWindowSkipsItsStep) {
  PlayUntil(6000);
  PlayUntil(9500, 3500);
  EXPECT_EQ(cut->GetPictureFade()->Mode, FadedIn);
  EXPECT_FLOAT_EQ(cut->GetPictureFade()->MinAlpha, 0.0f);
}

TEST_F(FinalCut, ASecondShowingStartsAgainFromTheFirstPicture) {
  PlayUntil(70000, 500);
  cut->SetDone(true);
  cut->Start();
  EXPECT_FALSE(cut->IsDone());
  EXPECT_EQ(PictureName(), "FINALCUT");
  EXPECT_FLOAT_EQ(cut->GetPicture()->Position.Y, 0.0f);
  const std::vector<DWORD> pixels = PlayUntil(100);
  EXPECT_EQ(cut->GetText3Fade()->Mode, FadedOut);
  EXPECT_EQ(At(pixels, 0.5f, 0.5f) & 0xFFFF00, 0u) << "no trace of the last text";
}

TEST_F(FinalCut, AMissingPictureStopsItsConstruction) {
  viewport.reset();  // keeps nothing but the sprite creator's own viewport
  Vellgrove::VGSpriteCreator::SetViewport(SCore::SViewportFactory::CreateViewport("D3D9Render"));
  try {
    VGFinalCut second;
    FAIL() << "made without its pictures";
  } catch (const SCore::KorvexCoreException& error) {
    EXPECT_NE(std::string(error.what()).find("VGFinalCut::VGFinalCut()"), std::string::npos) << error.what();
  }
}

}  // namespace
