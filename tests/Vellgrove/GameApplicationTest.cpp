#include "Fader.h"
#include "GameTestSupport.h"
#include "LogCapture.h"
#include "VGConfiguration.h"
#include "VGGameModes.h"
#include "VellgroveGame.h"

#include "Platform/TestHooks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using Vellgrove::Fader;
using Vellgrove::VellgroveGame;

namespace {

const DWORD kStart = 1000000;

// The game's own data as its working directory, its configuration globals as "config.xml" sets
// them, and the multimedia clock stopped so that fades and the splash are stepped by hand.
class GameApplication : public ::testing::Test {
 protected:
  void SetUp() override {
    m_previousDirectory = std::filesystem::current_path();
    std::filesystem::current_path(std::string(KORVEX_SOURCE_DIR) + "/data");
    Vellgrove::ReadConfiguration(L"config.xml");
    Platform::Testing::SetFakeClock(kStart);
  }

  void TearDown() override {
    Platform::Testing::UseRealClock();
    std::filesystem::current_path(m_previousDirectory);
  }

  static void Advance(VellgroveGame& game, DWORD milliseconds) {
    Platform::Testing::AdvanceFakeClock(milliseconds);
    game.Update();
    game.RenderFrame();
  }

  GameTest::GlobalsRestorer globals;
  TestSupport::LogCapture log;

 private:
  std::filesystem::path m_previousDirectory;
};

size_t Find(const std::wstring& text, const wchar_t* line, size_t from) {
  const size_t at = text.find(line, from);
  return at == std::wstring::npos ? at : at + 1;
}

}  // namespace

// Loading ends with the bar full and the first level made, the splash fading in from
// black, and the game published; the splash's end asks for the menu, which the screen shows after
// the fade to black (there is no menu screen yet: nothing is drawn under the fader); quit ends the
// main loop.
TEST_F(GameApplication, InitialisesBehindTheLoadingScreenThenPlaysTheSplashAndGoesOnThroughBlack) {
  {
    VellgroveGame game(false);
    game.DoInit("D3D9Render");
    game.Create(L"textures.xml", "Glintmoor Dawnkeel test", 320, 240, 32, false);
    const std::wstring text = log.Text();
    size_t at = 0;
    for (const wchar_t* line : {L" Init objects\n", L" Presetting texture\n", L" Done\n", L" Init objects Done\n"}) {
      at = Find(text, line, at);
      ASSERT_NE(at, std::wstring::npos) << RenderTest::Narrow(line) << " in its place";
    }
    EXPECT_EQ(game.GetLoading()->GetProgressBar()->Progress, 1.0f);
    ASSERT_TRUE(game.GetLevel());
    EXPECT_EQ(game.GetLevel()->Name, "level01") << "the first level of the pack, made while loading";
    EXPECT_EQ(KorvexEngine::g_Application.load(), &game);
    EXPECT_EQ(game.GetGameMode()->GetCurrent(), Vellgrove::VGGM_SPLASH);
    EXPECT_EQ(game.GetGameMode()->GetFader()->GetState(), Fader::FADING_FROM_BLACK);
    EXPECT_EQ(game.GetSplash()->GetPictureCount(), 2u);

    Advance(game, 0);
    EXPECT_FALSE(game.GetSplash()->IsDone());
    Advance(game, 8000);
    EXPECT_TRUE(game.GetSplash()->IsDone());
    EXPECT_EQ(game.GetGameMode()->GetFader()->GetState(), Fader::CLEAR);
    Advance(game, 1);
    EXPECT_EQ(game.GetGameMode()->GetFader()->GetState(), Fader::FADING_TO_BLACK) << "the menu is asked for";
    EXPECT_EQ(game.GetGameMode()->GetCurrent(), Vellgrove::VGGM_SPLASH);
    Advance(game, 500);
    EXPECT_EQ(game.GetGameMode()->GetCurrent(), Vellgrove::VGGM_MENU);
    EXPECT_EQ(game.GetGameMode()->GetPrevious(), Vellgrove::VGGM_SPLASH);
    EXPECT_FALSE(game.IsQuitRequested());

    game.GetGameMode()->ChangeMode(Vellgrove::VGGM_QUIT);
    Advance(game, 500);
    EXPECT_TRUE(game.IsQuitRequested());
  }
  EXPECT_NE(log.Text().find(L" Input thread stopped\n"), std::wstring::npos);
  EXPECT_EQ(KorvexEngine::g_Application.load(), nullptr);
}
