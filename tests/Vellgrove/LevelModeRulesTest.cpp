// The level mode's arithmetic: which screen edges scroll, and the time and score texts (where a
// stroke lands is tested with a level, in the game scripts' suite).
#include "LevelModeRules.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Vellgrove;

TEST(LevelModeRules, ThePointerScrollsNearTheEdgesUpToTheScreensEdge) {
  struct Case {
    float fx, fy;
    std::vector<VGMapMoveType> directions;
  };
  const Case cases[] = {
      {0.5f, 0.5f, {}},
      {0.2119f, 0.5f, {VGMMT_LEFT}},
      {0.212f, 0.5f, {}},
      {0.9201f, 0.5f, {VGMMT_RIGHT}},
      {0.92f, 0.5f, {}},
      {1.0f, 0.5f, {VGMMT_RIGHT}},
      {1.0001f, 0.5f, {}},
      {0.5f, 0.0799f, {VGMMT_UP}},
      {0.5f, 0.8701f, {VGMMT_DOWN}},
      {0.5f, 1.5f, {}},
      {0.1f, 0.9f, {VGMMT_LEFT, VGMMT_DOWN}},
  };
  for (const Case& c : cases) EXPECT_EQ(PointerScrollDirections(c.fx, c.fy), c.directions) << c.fx << ", " << c.fy;
}

TEST(LevelModeRules, TimeAndScoreTexts) {
  EXPECT_EQ(TimerText(605.7f), "10:05");
  EXPECT_EQ(TimerText(9.0f), "00:09");
  EXPECT_EQ(TimerText(0.0f), "00:00");
  EXPECT_EQ(ScoreText(0), "000000000");
  EXPECT_EQ(ScoreText(1200), "000001200");
}
