// Where the intro and the final cut-scene lead in the real game: a new player's Play shows the
// intro, whose skip button (clicked through the input thread) opens the map on the first level;
// the ending gives way to the main menu only on a click after 66 seconds.
#include "KorvexApplication.h"
#include "RunningGame.h"
#include "VGLevelPack.h"
#include "VGUserProfileManager.h"
#include "WaitUntil.h"

#include "Platform/InputInjection.h"
#include "Platform/MMSystem.h"
#include "Platform/Win32Window.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

using Vellgrove::VellgroveGame;

namespace {

class StoryModes : public GameTest::RunningGame {
 protected:
  void SetUp() override {
    Create(game);
    Vellgrove::g_UserProfileManager->AddProfile(L"ANN");
  }
  void TearDown() override {
    KorvexEngine::g_LeftButtonDown = 0;
    Quit(game);
  }

  int Mode() { return game.GetGameMode()->GetCurrent(); }

  bool Reach(int mode, DWORD step = 10) {
    for (int i = 0; i < 400 && Mode() != mode; ++i) Frame(game, step, true);
    return Mode() == mode;
  }

  VellgroveGame game{false};
};

}  // namespace

TEST_F(StoryModes, ANewPlayersPlayShowsTheIntroAndItsSkipOpensTheMapOnTheFirstLevel) {
  ASSERT_EQ(Vellgrove::g_UserProfileManager->GetLevel(), "");
  game.GetGameMode()->ChangeMode(Vellgrove::VGGM_MENU);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_MENU));
  game.GetMenu()->OnPlay();
  ASSERT_TRUE(Reach(Vellgrove::VGGM_INTRO));
  for (int i = 0; i < 60; ++i) Frame(game, 10, true);
  EXPECT_FALSE(game.GetIntro()->IsFinished());

  const HWND window = game.GetWindow()->m_window;
  const int x = int((0.78076171875f + 0.0625f) * 1024), y = int((0.8743489385f + 0.036f) * 768);
  Platform::Testing::InjectMouseMove(window, x, y, 0, 0);
  ASSERT_TRUE(TestSupport::WaitUntil([&] {
    Frame(game, 10, true);
    return PointerAt(game, x, y);
  }));
  for (bool down : {true, false}) {
    for (int i = 0; i < 3; ++i) {
      Frame(game, 10, true);
      std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
    Platform::Testing::InjectMouseButton(window, SDL_BUTTON_LEFT, down, x, y);
  }
  ASSERT_TRUE(TestSupport::WaitUntil([&] {
    Frame(game, 10, true);
    return game.GetIntro()->IsFinished();
  }));
  ASSERT_TRUE(Reach(Vellgrove::VGGM_MAP));
  EXPECT_EQ(Vellgrove::g_UserProfileManager->GetLevel(), Vellgrove::g_LevelPack->GetLevelName(0));
  EXPECT_FALSE(game.GetIntro()->GetSkipForm()->m_enabled) << "its button takes no more clicks";
}

// Clicks at several moments: only the one after 66 s ends the showing; without one it stays.
TEST_F(StoryModes, TheEndingGivesWayToTheMenuOnlyOnAClickAfter66Seconds) {
  game.GetGameMode()->ChangeMode(Vellgrove::VGGM_FINALCUT);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_FINALCUT));
  game.GetFinalCut()->Start();
  const DWORD start = game.GetFinalCut()->GetStartTime();
  const struct {
    DWORD at;
    bool click;
    bool ended;
  } moments[] = {{1000, true, false}, {30000, true, false}, {65950, true, false}, {70000, false, false},
                 {70500, true, true}};
  for (const auto& m : moments) {
    for (DWORD now = timeGetTime() - start; now < m.at; now = timeGetTime() - start) {
      Frame(game, std::min<DWORD>(250, m.at - now), true);
    }
    KorvexEngine::g_LeftButtonDown = m.click ? 1 : 0;
    Frame(game, 10, true);
    Frame(game, 10, true);
    KorvexEngine::g_LeftButtonDown = 0;
    Frame(game, 10, true);
    EXPECT_EQ(game.GetFinalCut()->IsDone(), m.ended) << m.at;
    EXPECT_EQ(game.GetGameMode()->GetPending(), m.ended ? Vellgrove::VGGM_MENU : Vellgrove::VGGM_FINALCUT) << m.at;
  }
  EXPECT_TRUE(Reach(Vellgrove::VGGM_MENU));
}
