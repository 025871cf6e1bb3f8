#include "DrawableTestSupport.h"
#include "Fader.h"
#include "GameTestSupport.h"
#include "STextureManager.h"
#include "VGGameMode.h"
#include "VGGameModes.h"

#include "Platform/TestHooks.h"

#include <boost/make_shared.hpp>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

using namespace Vellgrove;
using GameTest::FailureOf;

namespace {

const DWORD kOpaqueBlack = 0xFF000000;

// A real device in a hidden window, with "BLACK" registered as the texture list would, and the
// multimedia clock stopped so that every fade is stepped by hand.
class FaderOnDevice : public RenderTest::DrawableFixture {
 protected:
  void SetUp() override {
    DrawableFixture::SetUp();
    Platform::Testing::SetFakeClock(100000);
  }

  void TearDown() override {
    Platform::Testing::UseRealClock();
    DrawableFixture::TearDown();
  }

  boost::shared_ptr<SCore::STexture> RegisterBlack(UINT width = 4, UINT height = 1,
                                                   D3DFORMAT format = D3DFMT_A8R8G8B8) {
    const boost::shared_ptr<SCore::STexture> black = viewport->CreateTexture("BLACK");
    black->SetRenderDevice(device);
    black->DoCreateEx(width, height, 1, format);
    textures.push_back(black);
    WriteRows(black, kOpaqueBlack);
    viewport->GetTextureManager()->AddTexture(black);
    return black;
  }

  // Every texel of every row, as far as the row's bytes go in 32-bit steps.
  static void WriteRows(const boost::shared_ptr<SCore::STexture>& texture, DWORD value) {
    D3DLOCKED_RECT locked{};
    texture->DoLockRect(0, &locked, nullptr, 0);
    for (UINT y = 0; y < texture->GetHeight(); ++y) {
      DWORD* row = reinterpret_cast<DWORD*>(static_cast<char*>(locked.pBits) + y * locked.Pitch);
      for (UINT x = 0; x < UINT(locked.Pitch) / 4; ++x) row[x] = value;
    }
    texture->DoUnlockRect(0);
  }

  // The first row of a 32-bit texture, texel by texel.
  static std::vector<DWORD> Row(const boost::shared_ptr<SCore::STexture>& texture, UINT y = 0) {
    D3DLOCKED_RECT locked{};
    texture->DoLockRect(0, &locked, nullptr, 0);
    const DWORD* row = reinterpret_cast<const DWORD*>(static_cast<const char*>(locked.pBits) + y * locked.Pitch);
    std::vector<DWORD> texels(row, row + texture->GetWidth());
    texture->DoUnlockRect(0);
    return texels;
  }

  static std::vector<DWORD> BlackWithAlpha(int alpha, size_t count = 4) {
    return std::vector<DWORD>(count, DWORD(alpha) << 24);
  }

  // One frame: white, then the overlay; the middle pixel before presenting.
  DWORD DrawnOverWhite(Fader& fader) {
    device->DoClearScene(255, 255, 255);
    device->DoClearScene(1.0f);
    device->DoBeginScene();
    fader.Render();
    const DWORD middle = At(BackBufferPixels(), kWidth / 2, kHeight / 2);
    device->EndScene();
    return middle;
  }

  static void After(DWORD milliseconds) { Platform::Testing::AdvanceFakeClock(milliseconds); }
};

TEST_F(FaderOnDevice, BuildsAnOverlayOfBlackThatIsBlackUntilTheFirstFade) {
  const auto black = RegisterBlack();
  Fader fader(viewport);
  const KorvexEngine::SSprite& sprite = *fader.GetSprite();
  EXPECT_EQ(sprite.Name, "fader sprite");
  EXPECT_FALSE(sprite.WithTransform);
  EXPECT_EQ(sprite.Material.Texture1, black);
  EXPECT_EQ(sprite.Material.AlphaBlend, 1);
  EXPECT_EQ(sprite.Material.SrcBlend, 5u);
  EXPECT_EQ(sprite.Material.DstBlend, 6u);
  EXPECT_EQ(sprite.Material.ZWrite, 0);
  EXPECT_EQ(sprite.CoordAligment, 1u);
  EXPECT_EQ(sprite.Position.Width, 0.99900001f);
  EXPECT_EQ(sprite.ColorLU, 0xFFFFFFFF);
  EXPECT_EQ(fader.GetState(), Fader::BLACK);
  EXPECT_EQ(Row(black), std::vector<DWORD>(4, kOpaqueBlack));
  EXPECT_TRUE(RenderTest::NearColour(DrawnOverWhite(fader), kOpaqueBlack));
}

TEST_F(FaderOnDevice, FadesAlongTheLineAndEndsInTheFirstUpdateAtOrAfterTheFadeTime) {
  const auto black = RegisterBlack();
  Fader fader(viewport);
  struct Step {
    DWORD after;
    int alpha;
    int state;
  };
  const Step toBlack[] = {{0, 0, Fader::FADING_TO_BLACK},   {125, 63, Fader::FADING_TO_BLACK},
                          {125, 127, Fader::FADING_TO_BLACK}, {249, 254, Fader::FADING_TO_BLACK},
                          {1, 255, Fader::BLACK},            {1000, 255, Fader::BLACK}};
  const Step fromBlack[] = {{0, 255, Fader::FADING_FROM_BLACK},   {250, 127, Fader::FADING_FROM_BLACK},
                            {249, 0, Fader::FADING_FROM_BLACK},   {1, 0, Fader::CLEAR}};
  const auto run = [&](const Step* steps, size_t count) {
    for (size_t i = 0; i < count; ++i) {
      SCOPED_TRACE(i);
      After(steps[i].after);
      fader.Update();
      EXPECT_EQ(fader.GetState(), steps[i].state);
      EXPECT_EQ(fader.GetAlpha(), steps[i].alpha);
      EXPECT_EQ(Row(black), BlackWithAlpha(steps[i].alpha));
    }
  };
  fader.FadeIn(0.5f);
  EXPECT_EQ(Row(black), BlackWithAlpha(0)) << "a fade to black starts from the clear look";
  run(toBlack, std::size(toBlack));
  fader.FadeOut(0.5f);
  EXPECT_EQ(Row(black), BlackWithAlpha(255)) << "a fade from black starts from black";
  run(fromBlack, std::size(fromBlack));
}

TEST_F(FaderOnDevice, ALateUpdateEndsTheFadeAtOnceAndANewFadeRestartsFromItsOwnStart) {
  const auto black = RegisterBlack();
  Fader fader(viewport);
  fader.FadeOut(0.5f);
  After(60000);
  fader.Update();
  EXPECT_EQ(fader.GetState(), Fader::CLEAR);
  EXPECT_EQ(Row(black), BlackWithAlpha(0));

  fader.FadeOut(0.5f);
  After(100);
  fader.Update();
  fader.FadeIn(0.5f);  // during a fade from black: back to clear, then towards black
  EXPECT_EQ(Row(black), BlackWithAlpha(0));
  After(250);
  fader.Update();
  EXPECT_EQ(Row(black), BlackWithAlpha(127));
}

TEST_F(FaderOnDevice, TheDrawnOverlayDarkensTheSceneByTheAlphaOfItsTexture) {
  RegisterBlack();
  Fader fader(viewport);
  fader.FadeOut(0.5f);
  After(500);
  fader.Update();
  EXPECT_TRUE(RenderTest::NearColour(DrawnOverWhite(fader), 0xFFFFFFFF));
  fader.FadeIn(0.5f);
  After(250);
  fader.Update();
  EXPECT_TRUE(RenderTest::NearColour(DrawnOverWhite(fader), 0xFF808080)) << std::hex << DrawnOverWhite(fader);
  After(250);
  fader.Update();
  EXPECT_TRUE(RenderTest::NearColour(DrawnOverWhite(fader), kOpaqueBlack));
  fader.GetSprite()->Visible = false;
  EXPECT_TRUE(RenderTest::NearColour(DrawnOverWhite(fader), 0xFFFFFFFF));
}

TEST_F(FaderOnDevice, WritesNoFurtherThanTheFirstRowOfANarrowTexture) {
  const auto black = RegisterBlack(2, 2);
  Fader fader(viewport);
  fader.FadeIn(0.5f);
  EXPECT_EQ(Row(black, 0), BlackWithAlpha(0, 2));
  EXPECT_EQ(Row(black, 1), std::vector<DWORD>(2, kOpaqueBlack));
}

TEST_F(FaderOnDevice, RefusesATextureOfAnotherFormatWithoutWritingOrHoldingTheDevice) {
  const auto black = RegisterBlack(4, 1, D3DFMT_X8R8G8B8);
  Fader fader(viewport);
  EXPECT_EQ(FailureOf([&] { fader.FadeIn(0.5f); }),
            "the fader's texture BLACK must be A8R8G8B8 (format 21), not format 22 Fader::SetAlpha() ..\\Src\\Fader "
            "at: Fader::FadeIn() ..\\Src\\Fader at:");
  EXPECT_EQ(fader.GetState(), Fader::FADING_TO_BLACK) << "what was set before the write stays";
  EXPECT_EQ(Row(black), std::vector<DWORD>(4, kOpaqueBlack));
  std::atomic<bool> locked{false};
  std::thread other([&] {
    device->Lock();
    device->Unlock();
    locked = true;
  });
  other.join();
  EXPECT_TRUE(locked);
}

TEST_F(FaderOnDevice, NeedsTheTextureBlack) {
  EXPECT_THAT(FailureOf([&] { Fader fader(viewport); }),
              ::testing::AllOf(::testing::StartsWith("can't find texture:BLACK"),
                               ::testing::EndsWith(" Fader::Fader() ..\\Src\\Fader at:")));
}

// The mode machine over a fader on the device, stepped by the fake clock.
class GameModeOnDevice : public FaderOnDevice {
 protected:
  void SetUp() override {
    FaderOnDevice::SetUp();
    black = RegisterBlack();
    fader = boost::make_shared<Fader>(viewport);
    modes.reset(new VGGameMode(fader, 0.5f));
  }

  void TearDown() override {
    modes.reset();
    fader.reset();
    black.reset();
    FaderOnDevice::TearDown();
  }

  void Frame(DWORD after) {
    After(after);
    modes->Update();
  }

  // Start-up's fade in has run out: the splash is shown and clear.
  void ShowSplash() {
    Frame(500);
    modes->ClearChanged();
  }

  boost::shared_ptr<SCore::STexture> black;
  boost::shared_ptr<Fader> fader;
  std::unique_ptr<VGGameMode> modes;
};

TEST_F(GameModeOnDevice, StartsInTheSplashFadingInFromBlack) {
  EXPECT_EQ(modes->GetCurrent(), VGGM_SPLASH);
  EXPECT_EQ(modes->GetPending(), VGGM_SPLASH);
  EXPECT_EQ(modes->GetPrevious(), VGGM_SPLASH);
  EXPECT_TRUE(modes->IsChanged());
  EXPECT_EQ(fader->GetState(), Fader::FADING_FROM_BLACK);
  EXPECT_EQ(Row(black), BlackWithAlpha(255));
  Frame(250);
  EXPECT_EQ(Row(black), BlackWithAlpha(127));
  Frame(250);
  EXPECT_EQ(fader->GetState(), Fader::CLEAR);
  EXPECT_EQ(modes->GetCurrent(), VGGM_SPLASH);
}

// Each row: a request (or none), the time that passes before the next update, and what the
// machine shows after that update.
struct ModeStep {
  int request;  // -1: none
  DWORD after;
  int current;
  int previous;
  int state;
  int alpha;
  bool changed;
};

TEST_F(GameModeOnDevice, FollowsTheScenarioTable) {
  ShowSplash();
  const int none = -1;
  const ModeStep steps[] = {
      // A request fades to black at once; the switch comes with the first update at black.
      {VGGM_MENU, 0, VGGM_SPLASH, VGGM_SPLASH, Fader::FADING_TO_BLACK, 0, false},
      {none, 250, VGGM_SPLASH, VGGM_SPLASH, Fader::FADING_TO_BLACK, 127, false},
      {none, 249, VGGM_SPLASH, VGGM_SPLASH, Fader::FADING_TO_BLACK, 254, false},
      {none, 1, VGGM_MENU, VGGM_SPLASH, Fader::FADING_FROM_BLACK, 255, true},
      {none, 250, VGGM_MENU, VGGM_SPLASH, Fader::FADING_FROM_BLACK, 127, true},
      // A request while fading in restarts the fade to black from clear.
      {VGGM_MAP, 0, VGGM_MENU, VGGM_SPLASH, Fader::FADING_TO_BLACK, 0, true},
      // Two requests within one fade: the second wins and the previous is the mode that was shown.
      {none, 300, VGGM_MENU, VGGM_SPLASH, Fader::FADING_TO_BLACK, 153, true},
      {VGGM_TROPHIES, 300, VGGM_MENU, VGGM_SPLASH, Fader::FADING_TO_BLACK, 153, true},
      {none, 200, VGGM_TROPHIES, VGGM_MENU, Fader::FADING_FROM_BLACK, 255, true},
      {none, 500, VGGM_TROPHIES, VGGM_MENU, Fader::CLEAR, 0, true},
      // A request for the mode shown fades back in without a switch.
      {VGGM_TROPHIES, 500, VGGM_TROPHIES, VGGM_MENU, Fader::FADING_FROM_BLACK, 255, true},
      {none, 500, VGGM_TROPHIES, VGGM_MENU, Fader::CLEAR, 0, true},
      // A late update switches at once; quitting is a mode like the others.
      {VGGM_QUIT, 5000, VGGM_QUIT, VGGM_TROPHIES, Fader::FADING_FROM_BLACK, 255, true},
  };
  for (size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(i);
    const ModeStep& step = steps[i];
    if (step.request != none) modes->ChangeMode(step.request);
    Frame(step.after);
    EXPECT_EQ(modes->GetCurrent(), step.current);
    EXPECT_EQ(modes->GetPrevious(), step.previous);
    EXPECT_EQ(fader->GetState(), step.state);
    EXPECT_EQ(Row(black), BlackWithAlpha(step.alpha));
    EXPECT_EQ(modes->IsChanged(), step.changed);
  }
}

TEST_F(GameModeOnDevice, ARequestForTheShownModeLeavesTheChangedFlagAlone) {
  ShowSplash();
  modes->ChangeMode(VGGM_SPLASH);
  Frame(500);
  EXPECT_EQ(fader->GetState(), Fader::FADING_FROM_BLACK);
  EXPECT_FALSE(modes->IsChanged());
  Frame(500);
  EXPECT_EQ(fader->GetState(), Fader::CLEAR);
  EXPECT_EQ(modes->GetCurrent(), VGGM_SPLASH);
  EXPECT_EQ(modes->GetPrevious(), VGGM_SPLASH);
}

TEST_F(GameModeOnDevice, RefusesANumberThatIsNoModeAndKeepsWhatItShows) {
  ShowSplash();
  for (int unused : {2, 4, 6, 10, 16, -1}) {
    SCOPED_TRACE(unused);
    EXPECT_EQ(FailureOf([&] { modes->ChangeMode(unused); }),
              "unknown game mode:" + std::to_string(unused) + " VGGameMode::ChangeMode() ..\\Src\\VGGameMode at:");
  }
  EXPECT_EQ(modes->GetPending(), VGGM_SPLASH);
  EXPECT_EQ(fader->GetState(), Fader::CLEAR);
}

TEST_F(GameModeOnDevice, RequestsFromAnotherThreadWhileTheMainThreadUpdatesEndInOneSwitch) {
  ShowSplash();
  std::atomic<bool> done{false};
  std::thread input([&] {
    for (int i = 0; i < 200; ++i) modes->ChangeMode(i % 2 == 0 ? VGGM_MAP : VGGM_MENU);
    done = true;
  });
  while (!done) Frame(0);
  input.join();
  Frame(500);
  EXPECT_EQ(modes->GetCurrent(), VGGM_MENU);
  EXPECT_EQ(modes->GetPrevious(), VGGM_SPLASH);
  Frame(500);
  EXPECT_EQ(fader->GetState(), Fader::CLEAR);
  EXPECT_EQ(Row(black), BlackWithAlpha(0));
}

}  // namespace
