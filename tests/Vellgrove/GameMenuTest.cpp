// The in-game menu in the real game, through the real input thread: Escape opens it over the paused
// level, each of its buttons leads on, a click elsewhere on it leaves the level paused, and moving
// over its buttons plays "Focus" once for each.
#include "KorvexApplication.h"
#include "RunningGame.h"
#include "SUIApplication.h"
#include "VGUserProfileManager.h"

#include "Platform/SoundTestHooks.h"

#include <chrono>
#include <functional>
#include <string>
#include <thread>

using Vellgrove::VellgroveGame;

namespace {

// The buttons' centres, from their places on the 1024 by 768 layout (each 256 by 95 pixels).
struct Place {
  float x, y;
};
const Place kResume{0.217285156f + 0.125f, 0.339192718f + 0.0618f};
const Place kBackToMenu{0.500488281f + 0.125f, 0.339192718f + 0.0618f};
const Place kBackToMap{0.217285156f + 0.125f, 0.527994812f + 0.0618f};
const Place kReplay{0.502441406f + 0.125f, 0.527994812f + 0.0618f};
const Place kOffTheButtons{0.49f, 0.91f};
// The main menu's Play and Settings, which lie over the in-game menu's map and replay buttons.
const Place kMainMenuPlay{0.31103515625f + 0.0976f, 0.501953125f + 0.0449f};
const Place kMainMenuSettings{0.52099609375f + 0.0976f, 0.501953125f + 0.0449f};

class GameMenu : public GameTest::RunningGame {
 protected:
  void SetUp() override {
    Create(game);
    Vellgrove::g_UserProfileManager->AddProfile(L"ANN");
  }
  void TearDown() override { Quit(game); }

  bool Until(const std::function<bool()>& condition) { return FramesUntil(game, condition); }
  bool Reach(int mode) { return RunningGame::Reach(game, mode); }
  void PointAt(Place place) { RunningGame::PointAt(game, place.x, place.y); }
  void Click(Place place) { ClickAt(game, place.x, place.y); }
  void Key(SDL_Scancode key) { PressKey(game, key); }

  bool MenuShown() { return game.GetGameMenu()->GetActiveFormName() == "GameMenuForm"; }

  // The level entered and started with Space, then its menu opened with Escape.
  void OpenMenuInLevel() {
    EnterLevel(game);
    Key(SDL_SCANCODE_SPACE);
    ASSERT_FALSE(game.IsPaused());
    Key(SDL_SCANCODE_ESCAPE);
    ASSERT_TRUE(Until([&] { return MenuShown(); }));
    EXPECT_TRUE(game.IsPaused());
  }

  VellgroveGame game{false};
};

}  // namespace

TEST_F(GameMenu, EscapeOpensItOverThePausedLevelAndResumeClosesIt) {
  OpenMenuInLevel();
  Key(SDL_SCANCODE_ESCAPE);
  EXPECT_TRUE(MenuShown()) << "Escape never closes it";

  Click(kOffTheButtons);
  EXPECT_TRUE(game.IsPaused()) << "a click on the menu is not a click on the level";
  EXPECT_TRUE(MenuShown());

  Click(kResume);
  EXPECT_TRUE(Until([&] { return !MenuShown(); }));
  EXPECT_FALSE(game.IsPaused());
  EXPECT_FALSE(game.GetGameMenu()->m_hidden);

  Key(SDL_SCANCODE_ESCAPE);
  EXPECT_TRUE(Until([&] { return MenuShown(); })) << "it opens again";
  EXPECT_TRUE(game.IsPaused());
}

TEST_F(GameMenu, ReplayLoadsTheLevelAgainWithItsMenuClosed) {
  OpenMenuInLevel();
  const std::string level = game.GetLevel()->Name;
  Click(kReplay);
  EXPECT_TRUE(game.GetGameMenu()->m_hidden);
  EXPECT_FALSE(game.GetGameMenu()->m_enabled);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_LOADING));
  ASSERT_TRUE(Reach(Vellgrove::VGGM_LEVEL));
  EXPECT_EQ(game.GetLevel()->Name, level);
  EXPECT_FALSE(MenuShown());
  EXPECT_FALSE(game.GetGameMenu()->m_hidden) << "ready for the next Escape";
  EXPECT_TRUE(game.IsStartPause());
}

TEST_F(GameMenu, BackToTheMapClosesItThere) {
  OpenMenuInLevel();
  Click(kBackToMap);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_MAP));
  EXPECT_FALSE(MenuShown());
  EXPECT_TRUE(game.IsPaused()) << "the next level waits for a click";
}

// The level waits behind the main menu, whose play button brings it back paused, without the
// start pause.
TEST_F(GameMenu, BackToTheMainMenuParksTheLevelForPlayToResume) {
  OpenMenuInLevel();
  const boost::shared_ptr<Vellgrove::VGLevel> level = game.GetLevel();
  Vellgrove::g_UserProfileManager->SetLevel(level->Name, level->ShowName);  // a player who has begun
  Click(kBackToMenu);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_MENU));
  EXPECT_TRUE(game.GetGameMenu()->m_hidden);
  EXPECT_FALSE(game.GetGameMenu()->m_enabled);
  EXPECT_TRUE(game.IsPaused());

  Click(kMainMenuPlay);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_LEVEL)) << "mode " << game.GetGameMode()->GetCurrent() << " after Play";
  EXPECT_EQ(game.GetLevel(), level) << "the same level, not loaded again";
  EXPECT_TRUE(game.IsPaused());
  EXPECT_FALSE(game.IsStartPause());
  EXPECT_FALSE(MenuShown());
}

// The parked menu's buttons, hidden under the main menu's, take none of its clicks.
TEST_F(GameMenu, ThePlayerInTheMainMenuDoesNotPressTheParkedMenu) {
  OpenMenuInLevel();
  const boost::shared_ptr<Vellgrove::VGLevel> level = game.GetLevel();
  Vellgrove::g_UserProfileManager->SetLevel(level->Name, level->ShowName);
  Click(kBackToMenu);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_MENU));
  Click(kMainMenuSettings);
  EXPECT_TRUE(Until([&] { return game.GetMenu()->m_ui->GetActiveFormName() == "Settings"; }));
  for (int i = 0; i < 100; ++i) Frame(game, 10, true);
  EXPECT_EQ(game.GetGameMode()->GetCurrent(), Vellgrove::VGGM_MENU) << "the level is not replayed";
  EXPECT_EQ(game.GetGameMode()->GetPending(), Vellgrove::VGGM_MENU);
  EXPECT_EQ(game.GetLevel(), level);
}

TEST_F(GameMenu, MovingOverTwoButtonsPlaysFocusTwice) {
  OpenMenuInLevel();
  PointAt(kOffTheButtons);
  Platform::Testing::StartRecordingSoundCalls();
  for (Place button : {kResume, kReplay}) {
    PointAt(button);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // "Focus" has one voice
  }
  int plays = 0;
  for (const auto& call : Platform::Testing::RecordedSoundCalls()) plays += call.call == "Play" ? 1 : 0;
  Platform::Testing::StopRecordingSoundCalls();
  EXPECT_EQ(plays, 2);
}
