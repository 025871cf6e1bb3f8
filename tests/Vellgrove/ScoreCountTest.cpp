// The score-counting screen in the real game: counters filling on the multimedia clock, the gain
// and the bonus lives they bring, OK writing the score, and the counting sound.
#include "RunningGame.h"
#include "SProgressBar.h"
#include "STextureFont.h"
#include "VGScoreCount.h"
#include "VGSoundManager.h"
#include "VGUserProfileManager.h"

#include <cmath>
#include <vector>

using Vellgrove::VellgroveGame;
using Vellgrove::VGScoreCount;

namespace {

class ScoreCount : public GameTest::RunningGame {
 protected:
  void SetUp() override {
    Create(game);
    Vellgrove::g_UserProfileManager->AddProfile(L"ANN");
  }
  void TearDown() override { Quit(game); }

  VGScoreCount& Screen() { return *game.GetScoreCount(); }

  void Count(float a0, float a1, float a2, unsigned int max) {
    const float amounts[3] = {a0, a1, a2};
    std::copy(amounts, amounts + 3, Screen().m_counterAmounts);
    Screen().m_counterMax = max;
    Screen().m_levelIndex = 3;
    Screen().Start();
  }

  void Tick(DWORD milliseconds) {
    Platform::Testing::AdvanceFakeClock(milliseconds);
    Screen().Update();
  }

  VellgroveGame game{false};
};

}  // namespace

TEST_F(ScoreCount, CountersStartWhereTheLevelLeftThemAndFillInTenSeconds) {
  struct Row {
    const char* count;
    float amounts[3];
    unsigned int max;
    float fills[3];
  };
  const std::vector<Row> rows = {
      {"no maximum: nothing to measure against", {10, 20, 30}, 0, {0, 0, 0}},
      {"a counter with nothing to count starts full", {0, 30, 60}, 60, {1, 0.5f, 0}},
      {"10, 20 and 30 of 60", {10, 20, 30}, 60, {5.0f / 6, 4.0f / 6, 3.0f / 6}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.count);
    Count(row.amounts[0], row.amounts[1], row.amounts[2], row.max);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(Screen().m_counterFills[i], row.fills[i], 1e-6f) << i;
    Tick(0);
    EXPECT_EQ(Screen().RunningGain(), 0u) << "nothing gained at the start";
  }
  // 10, 20, 30 of 60 fill in 1.67, 3.33 and 5 s and bring 60000 points.
  Count(10, 20, 30, 60);
  Tick(1700);
  EXPECT_EQ(Screen().m_counterFills[0], 1.0f);
  EXPECT_LT(Screen().m_counterFills[1], 1.0f);
  EXPECT_NEAR(Screen().m_counterBars[1]->Progress, Screen().m_counterFills[1], 1e-6f);
  Tick(1700);
  EXPECT_EQ(Screen().m_counterFills[1], 1.0f);
  EXPECT_FALSE(Screen().m_isFinished);
  Tick(1700);
  EXPECT_TRUE(Screen().m_isFinished) << "all three full";
  EXPECT_EQ(Screen().RunningGain(), 60000u);
  EXPECT_EQ(Screen().FinalGain(), 60000u);
}

TEST_F(ScoreCount, BonusLivesComeAsTheScorePassesTheirThresholds) {
  Screen().SetBonusLives({10000, 50000, 80000});
  struct Row {
    unsigned int oldScore, gain, lives;
    float bar;
  };
  const std::vector<Row> rows = {
      {45000, 30000, 1, (45000.0f - 50000 + 30000) / (80000 - 50000)},
      {50000, 30000, 0, 0.0f},  // a threshold at the old score counts for nothing
      {20000, 30000, 0, 0.0f},  // nor one at the old score plus the gain
      {0, 100000, 3, (100000.0f - 80000) / (100000000 - 80000)},
  };
  for (const Row& row : rows) {
    Screen().m_oldScore = row.oldScore;
    EXPECT_EQ(Screen().LivesPassed(row.gain), row.lives) << row.oldScore << " + " << row.gain;
    EXPECT_NEAR(Screen().LifeBarFill(row.gain), row.bar, 1e-5f) << row.oldScore << " + " << row.gain;
  }
}

// A click finishes the count at once; OK writes the score into the player and the high-score
// table; the counting sound runs while a counter does.
TEST_F(ScoreCount, FinishAndOkWriteTheScore) {
  Vellgrove::g_UserProfileManager->SetScore(1000);
  Vellgrove::g_UserProfileManager->GetCurrent()->m_lifes = 9;
  Count(10, 20, 30, 60);
  Tick(10);
  Vellgrove::g_SoundManager->StopSound("Score");
  Tick(10);
  EXPECT_TRUE(Vellgrove::g_SoundManager->IsPlaying("Score")) << "the counting sound starts again";
  Screen().Finish();
  Tick(10);
  for (float fill : Screen().m_counterFills) EXPECT_EQ(fill, 1.0f);
  EXPECT_EQ(Screen().m_scoreFont->Text, L"61000");
  Screen().OnOk();
  EXPECT_TRUE(Screen().m_isDone);
  EXPECT_EQ(Screen().m_nextMode, Vellgrove::VGGM_MAP);
  EXPECT_EQ(Vellgrove::g_UserProfileManager->GetCurrent()->m_score, 61000u);
  const auto rows = Vellgrove::g_UserProfileManager->GetHighScoreRows(1);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].m_bestScore, 61000u);
  EXPECT_EQ(Screen().m_lives, 9);
}

// OK listens to the input whatever the screen: once pressed it must take no click where it stands
// (the comics' and the intro's skip, a pot of the map) until the next count.
TEST_F(ScoreCount, OncePressedOkTakesNoClickUntilTheNextCount) {
  const float kOk[2] = {0.81f, 0.86f};
  Count(10, 20, 30, 60);
  Tick(10);
  Screen().OnOk();
  Tick(10);  // the screen is still updated while it fades out
  Vellgrove::g_UserProfileManager->SetScore(70000);
  ClickAt(game, kOk[0], kOk[1]);
  EXPECT_EQ(Vellgrove::g_UserProfileManager->GetCurrent()->m_score, 70000u) << "OK pressed again";

  Count(10, 20, 30, 60);
  Tick(10);
  ClickAt(game, kOk[0], kOk[1]);
  EXPECT_TRUE(Screen().m_isDone) << "the next count's OK takes its click";
}

// The lives number moves left once it has two digits.
TEST_F(ScoreCount, TheLivesNumberStandsByItsWidth) {
  Count(0, 0, 0, 0);
  for (const auto& row : std::vector<std::pair<unsigned int, float>>{{9, 0.12158203125f}, {10, 0.10888671875f}}) {
    Vellgrove::g_UserProfileManager->GetCurrent()->m_lifes = row.first;
    Tick(10);
    game.GetViewport()->GetRenderDevice()->DoBeginScene();
    Screen().Render();
    game.GetViewport()->GetRenderDevice()->EndScene();
    EXPECT_EQ(Screen().m_livesFont->Position.X, row.second) << row.first;
  }
}

// Bars filled half way show their fill on the left half only; the staff shows its own fill.
TEST_F(ScoreCount, TheBarsShowHowFarTheyAreFilled) {
  Count(30, 30, 30, 60);
  Tick(0);
  const std::vector<DWORD> picture = PictureOf(game, [&] { Screen().Render(); });
  const int fill[3] = {82, 222, 222};
  const float barY[3] = {0.196f, 0.447f, 0.695f};
  for (int i = 0; i < 3; ++i) {
    const float top = barY[i] + 0.015f, bottom = barY[i] + 0.035f;
    EXPECT_TRUE(Shows(picture, 0.35f, top, 0.55f, bottom, fill[0], fill[1], fill[2])) << "bar " << i;
    EXPECT_FALSE(Shows(picture, 0.62f, top, 0.88f, bottom, fill[0], fill[1], fill[2])) << "bar " << i;
  }
}
