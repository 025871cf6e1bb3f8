// Where the screens lead in the real game, with clicks through the input thread: the main menu's
// buttons by where the player stands, the intro's skip opening the map on the first level, the
// ending giving way to the main menu only on a click after 66 seconds, and the trophies screen's
// lines in the log.
#include "KorvexApplication.h"
#include "RunningGame.h"
#include "SUIButton.h"
#include "VGLevelPack.h"
#include "VGUserProfileManager.h"

#include "Platform/MMSystem.h"

#include <algorithm>
#include <iterator>
#include <regex>
#include <string>

using Vellgrove::VellgroveGame;

namespace {

class ScreenHandlers : public GameTest::RunningGame {
 protected:
  void SetUp() override {
    Create(game);
    Vellgrove::g_UserProfileManager->AddProfile(L"ANN");
  }
  void TearDown() override {
    KorvexEngine::g_LeftButtonDown = 0;
    Quit(game);
  }

  bool Reach(int mode) { return RunningGame::Reach(game, mode); }
  void Click(float fx, float fy) { ClickAt(game, fx, fy); }

  VellgroveGame game{false};
};

}  // namespace

// Each row: where the player stands, the menu's button clicked, and the screen it leads to.
TEST_F(ScreenHandlers, TheMainMenusButtonsLeadByWhereThePlayerStands) {
  const float kPlayX = 0.31103515625f + 0.0976f, kPlayY = 0.501953125f + 0.0449f;
  const KorvexEngine::UI::SUIButton& bonus = *game.GetMenu()->m_bonusButton;
  const struct {
    const char* what;
    const char* level;
    bool bonusButton;
    int next;
    bool bonusMap;
  } rows[] = {
      {"a new player's Play", "", false, Vellgrove::VGGM_INTRO, false},
      {"Play on the way", "level02", false, Vellgrove::VGGM_MAP, false},
      {"the bonus levels once every level is done", "done", true, Vellgrove::VGGM_MAP, true},
      {"Play after the bonus map", "done", false, Vellgrove::VGGM_MAP, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Vellgrove::g_UserProfileManager->SetLevel(row.level, row.level);
    game.GetGameMode()->ChangeMode(Vellgrove::VGGM_MENU);
    game.GetMenu()->Activate();
    ASSERT_TRUE(Reach(Vellgrove::VGGM_MENU));
    if (row.bonusButton) {
      Click(bonus.m_x + bonus.m_width / 2, bonus.m_y + bonus.m_height / 2);
    } else {
      Click(kPlayX, kPlayY);
    }
    EXPECT_EQ(game.GetGameMode()->GetPending(), row.next);
    ASSERT_TRUE(Reach(row.next));
    EXPECT_EQ(bool(game.GetMap()->m_isBonus), row.bonusMap);
  }
}

TEST_F(ScreenHandlers, ANewPlayersPlayShowsTheIntroAndItsSkipOpensTheMapOnTheFirstLevel) {
  ASSERT_EQ(Vellgrove::g_UserProfileManager->GetLevel(), "");
  game.GetGameMode()->ChangeMode(Vellgrove::VGGM_MENU);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_MENU));
  game.GetMenu()->OnPlay();
  ASSERT_TRUE(Reach(Vellgrove::VGGM_INTRO));
  for (int i = 0; i < 60; ++i) Frame(game, 10, true);
  EXPECT_FALSE(game.GetIntro()->IsFinished());

  Click(0.78076171875f + 0.0625f, 0.8743489385f + 0.036f);  // the skip button
  ASSERT_TRUE(FramesUntil(game, [&] { return game.GetIntro()->IsFinished(); }));
  ASSERT_TRUE(Reach(Vellgrove::VGGM_MAP));
  EXPECT_EQ(Vellgrove::g_UserProfileManager->GetLevel(), Vellgrove::g_LevelPack->GetLevelName(0));
  EXPECT_FALSE(game.GetIntro()->GetSkipForm()->m_enabled) << "its button takes no more clicks";
}

// Clicks at several moments: only the one after 66 s ends the showing; without one it stays.
TEST_F(ScreenHandlers, TheEndingGivesWayToTheMenuOnlyOnAClickAfter66Seconds) {
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

// While the trophies screen shows, every frame logs its update and its render, each line stamped
// as the log's other lines are.
TEST_F(ScreenHandlers, TheTrophiesScreenLogsEachFramesUpdateAndRender) {
  game.GetGameMode()->ChangeMode(Vellgrove::VGGM_TROPHIES);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_TROPHIES));
  const auto linesOf = [&](const std::wregex& line) {
    const std::wstring text = log.Text();
    return std::distance(std::wsregex_iterator(text.begin(), text.end(), line), std::wsregex_iterator());
  };
  const std::wregex update(L"\\d{4}-\\d\\d-\\d\\d [ \\d]\\d:\\d\\d:\\d\\d update TROPHEIS\n");
  const std::wregex render(L"\\d{4}-\\d\\d-\\d\\d [ \\d]\\d:\\d\\d:\\d\\d render TROPHEIS\n");
  const auto updatesBefore = linesOf(update), rendersBefore = linesOf(render);
  for (int i = 0; i < 5; ++i) Frame(game, 10, true);
  EXPECT_EQ(linesOf(update) - updatesBefore, 5);
  EXPECT_EQ(linesOf(render) - rendersBefore, 5);
}
