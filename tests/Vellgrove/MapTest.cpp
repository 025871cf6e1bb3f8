// The world map in the real game: which pots a player sees and how, where a click leads, and the
// dotted way and the stars drawn over the map.
#include "KorvexApplication.h"
#include "RunningGame.h"
#include "SSprite.h"
#include "SUIButton.h"
#include "SUIForm.h"
#include "VGLevelPack.h"
#include "VGLevelTrainer.h"
#include "VGTextManager.h"
#include "VGUserProfileManager.h"
#include "WaitUntil.h"

#include "Platform/InputInjection.h"
#include "Platform/MMSystem.h"
#include "Platform/Win32Window.h"

#include <chrono>
#include <cmath>
#include <functional>
#include <string>
#include <thread>
#include <vector>

using Vellgrove::VellgroveGame;
using Vellgrove::VGMap;

namespace {

class WorldMap : public GameTest::RunningGame {
 protected:
  void SetUp() override { Create(game); }
  void TearDown() override { Quit(game); }

  VGMap& Map() { return *game.GetMap(); }

  void Step() { Frame(game, 10, true); }

  bool Until(const std::function<bool()>& condition) {
    return TestSupport::WaitUntil([&] {
      Step();
      return condition();
    });
  }

  static void PlayerAt(const std::string& level) {
    Vellgrove::g_UserProfileManager->AddProfile(L"ANN");
    Vellgrove::g_UserProfileManager->SetLevel(level, level);
  }

  void EnterMap() {
    game.GetGameMode()->ChangeMode(Vellgrove::VGGM_MAP);
    ASSERT_TRUE(Until([&] { return game.GetGameMode()->GetCurrent() == Vellgrove::VGGM_MAP; }));
    for (int i = 0; i < 60; ++i) Step();  // the fade from black
  }

  // The pointer rests on the control for a poll of the input thread, then the button goes down and up.
  void Click(const KorvexEngine::UI::SUIButton& control) {
    const HWND window = game.GetWindow()->m_window;
    const int x = int((control.m_x + control.m_width / 2) * 1024);
    const int y = int((control.m_y + control.m_height / 2) * 768);
    Platform::Testing::InjectMouseMove(window, x, y, 0, 0);
    ASSERT_TRUE(Until([&] { return PointerAt(game, x, y); }));
    for (bool down : {true, false}) {
      for (int i = 0; i < 3; ++i) {
        Step();
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
      }
      Platform::Testing::InjectMouseButton(window, SDL_BUTTON_LEFT, down, x, y);
    }
    for (int i = 0; i < 3; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(40));
  }

  VellgroveGame game{false};
};

}  // namespace

// Each row is a player's standing and what the refreshed map shows for it.
TEST_F(WorldMap, ShowsThePotsOfTheLevelsPlayedSoFar) {
  struct Row {
    const char* standing;
    std::string level;
    bool bonus;
    unsigned int shown;
    int current;  // the pot with the current faces, or -1
    bool trainer, next;
  };
  const unsigned int levels = Vellgrove::g_LevelPack->GetLevelCount();
  ASSERT_GE(levels, 3u);
  const std::vector<Row> rows = {
      {"a new player", "", false, 1, 0, true, true},
      {"on the second level", Vellgrove::g_LevelPack->GetLevelName(1), false, 2, 1, true, true},
      {"on the third level", Vellgrove::g_LevelPack->GetLevelName(2), false, 3, 2, false, true},
      {"every level done", "done", false, levels, -1, false, true},
      // The bonus face loads the first map tutorial for a player at its first level but never draws it.
      {"the bonus face, the first bonus level done", "done", true,
       Vellgrove::g_BonusLevelPack->GetLevelCount() - 1, -1, true, false},
  };
  PlayerAt("");
  Vellgrove::g_UserProfileManager->GetCurrent()->m_doneBonusLevels.push_back(0);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.standing);
    Vellgrove::g_UserProfileManager->SetLevel(row.level, row.level);
    Map().m_isBonus = row.bonus;
    Map().Refresh();
    unsigned int shown = 0;
    for (size_t k = 0; k < Map().GetPots().size(); ++k) {
      const KorvexEngine::UI::SUIButton& pot = *Map().GetPots()[k];
      EXPECT_EQ(pot.m_enabled, !pot.m_hidden);
      if (pot.m_hidden) continue;
      ++shown;
      if (row.bonus) continue;
      const bool current = int(k) == row.current;
      EXPECT_EQ(pot.m_normalSprite, current ? Map().m_currentPot : Map().m_playedPot) << "pot " << k;
      const std::wstring text = Vellgrove::GetText(current ? "PLAYLEVEL" : "REPLAYLEVEL");
      EXPECT_EQ(pot.m_toolTipText.compare(0, text.size(), text), 0) << "pot " << k;
    }
    EXPECT_EQ(shown, row.shown);
    EXPECT_EQ(!Map().m_trainer->GetCommands().empty(), row.trainer);
    EXPECT_EQ(Map().m_nextButton->m_hidden, !row.next);
    EXPECT_TRUE(Map().GetForm()->m_enabled);
    EXPECT_FALSE(Map().IsDone());
  }
}

// Clicks through the input thread: a pot picks its level and closes the map to further clicks; NEXT
// picks the player's level; MENU and TROPHIES ask for those screens.
TEST_F(WorldMap, AClickChoosesOnceAndTheGameActsOnIt) {
  PlayerAt(Vellgrove::g_LevelPack->GetLevelName(2));
  EnterMap();
  ASSERT_TRUE(Map().GetForm()->m_enabled);
  Click(*Map().m_pots[1]);
  ASSERT_TRUE(Until([&] { return Map().IsDone(); }));
  EXPECT_EQ(Map().m_result, VGMap::kPlay);
  EXPECT_EQ(Map().GetSelectedLevel(), Vellgrove::g_LevelPack->GetLevelName(1));
  EXPECT_FALSE(Map().m_playsCurrentLevel) << "an earlier level played again";
  EXPECT_FALSE(Map().m_lastLevelChosen);
  Click(*Map().m_pots[0]);
  EXPECT_EQ(Map().GetSelectedLevel(), Vellgrove::g_LevelPack->GetLevelName(1)) << "a second click is not taken";
  ASSERT_TRUE(Until([&] { return game.GetGameMode()->GetCurrent() == Vellgrove::VGGM_LOADING; }));
  EXPECT_EQ(Vellgrove::g_LevelPack->GetCurrentLevelName(), Vellgrove::g_LevelPack->GetLevelName(1));

  // The buttons follow the pots on the map: MENU, NEXT, TROPHIES.
  const auto button = [&](size_t fromEnd) -> const KorvexEngine::UI::SUIButton& {
    const auto& children = Map().m_mapForm->m_children;
    return static_cast<const KorvexEngine::UI::SUIButton&>(*children[children.size() - fromEnd]);
  };
  struct Row {
    const char* button;
    size_t fromEnd;
    int result;
    int mode;
  };
  const std::vector<Row> rows = {
      {"MENU", 3, VGMap::kMenu, Vellgrove::VGGM_MENU},
      {"TROPHIES", 1, VGMap::kTrophies, Vellgrove::VGGM_TROPHIES},
      {"NEXT", 2, VGMap::kPlay, Vellgrove::VGGM_LOADING},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.button);
    EnterMap();
    Click(button(row.fromEnd));
    ASSERT_TRUE(Until([&] { return Map().IsDone(); }));
    EXPECT_EQ(Map().m_result, row.result);
    ASSERT_TRUE(Until([&] { return game.GetGameMode()->GetCurrent() == row.mode; }));
  }
  EXPECT_EQ(Map().GetSelectedLevel(), Vellgrove::g_LevelPack->GetLevelName(2)) << "NEXT picked the player's level";
  EXPECT_TRUE(Map().m_playsCurrentLevel);
}

namespace {

// Where the game puts the dots of a stretch of road, as fractions of the screen.
std::vector<std::pair<float, float>> DotsOf(const std::vector<std::pair<float, float>>& path) {
  std::vector<std::pair<float, float>> dots;
  for (size_t i = 1; i < path.size(); ++i) {
    const float dx = path[i].first - path[i - 1].first, dy = path[i].second - path[i - 1].second;
    const unsigned int steps = static_cast<unsigned int>(std::sqrt(dx * dx + dy * dy) / 0.0087890625f);
    float x = path[i - 1].first, y = path[i - 1].second;
    for (unsigned int s = 0; s < steps; ++s) {
      dots.emplace_back(std::trunc(x * 1024.0f) / 1024.0f, std::trunc(y * 768.0f) / 768.0f);
      x += dx / float(steps);
      y += dy / float(steps);
    }
  }
  return dots;
}

}  // namespace

// The map read back for a player on the third level: dots on exactly the two stretches of road
// walked so far, and a star over the pot whose trophy is won.
TEST_F(WorldMap, DrawsTheWayWalkedSoFarAndTheStarsWon) {
  PlayerAt(Vellgrove::g_LevelPack->GetLevelName(2));
  Vellgrove::g_UserProfileManager->GetCurrent()->AwardTrophy(1);
  EnterMap();
  // The star turns about its upright axis: it is read when it faces the screen.
  DWORD now = timeGetTime();
  while (std::fabs(std::sin(float(now) * 0.003f)) < 0.99f) ++now;
  Platform::Testing::SetFakeClock(now);
  const std::vector<DWORD> picture = Picture(game);

  const int dot[3] = {255, 190, 24};
  ASSERT_GE(Map().m_paths.size(), 3u);
  for (size_t p = 0; p < 3; ++p) {
    const std::vector<std::pair<float, float>> dots = DotsOf(Map().m_paths[p]);
    ASSERT_GE(dots.size(), 3u);
    const auto& middle = dots[dots.size() / 2];
    const bool drawn = Shows(picture, middle.first, middle.second, middle.first + 5.0f / 1024,
                             middle.second + 4.0f / 768, dot[0], dot[1], dot[2]);
    EXPECT_EQ(drawn, p < 2) << "stretch " << p;
  }
  const KorvexEngine::UI::SUIButton& won = *Map().m_pots[1];
  const KorvexEngine::UI::SUIButton& other = *Map().m_pots[0];
  const auto starOver = [&](const KorvexEngine::UI::SUIButton& pot) {
    const float x = pot.m_x + 0.0176f, y = pot.m_y - 0.0143f;
    return Shows(picture, x - 0.012f, y - 0.02f, x + 0.012f, y + 0.02f, 255, 246, 65);
  };
  EXPECT_TRUE(starOver(won)) << "a star over the pot whose trophy is won";
  EXPECT_FALSE(starOver(other));
}

// A map without pots, for a player who has played every level: NEXT has no level to go on to, so
// the map stays open for another choice.
TEST_F(WorldMap, NextOnAMapWithoutPotsChoosesNothing) {
  PlayerAt("done");
  Map().m_pots.clear();
  Map().Refresh();
  const std::string chosenBefore = Map().GetSelectedLevel();
  EXPECT_NO_THROW(Map().OnNextClick());
  EXPECT_FALSE(Map().IsDone());
  EXPECT_EQ(Map().GetSelectedLevel(), chosenBefore);
  EXPECT_FALSE(Map().m_playsCurrentLevel);
  EXPECT_TRUE(Map().GetForm()->m_enabled);
}
