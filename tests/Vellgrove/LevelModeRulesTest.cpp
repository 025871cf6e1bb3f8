// The level mode's arithmetic: where a stroke lands as a tool, which screen edges scroll, and the
// time and score texts.
#include "LevelModeRules.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Vellgrove;

TEST(LevelModeRules, AStrokeLandsALittleLeftOfItsCentreWithItsWidthScaledTwice) {
  VGFrame::Viewport view;
  view.X = 128;
  view.Width = 896;
  view.Height = 732;
  struct Case {
    StrokeRect rect;
    float x, y, width, height;
  };
  // x: centre − (0.0625 + 0.04); width: w × 896/1024 × 732/768; height unscaled.
  const Case cases[] = {
      {{128, 64, 2, 128}, 0.5f + 1.0f / 256 - 0.1025f, 0.5f, 2.0f / 256 * 0.875f * 0.953125f, 0.5f},
      {{0, 0, 256, 256}, 0.5f - 0.1025f, 0.5f, 0.875f * 0.953125f, 1.0f},
      {{10, 200, 1, 1}, (10.5f / 256) - 0.1025f, 200.5f / 256, 1.0f / 256 * 0.875f * 0.953125f, 1.0f / 256},
  };
  for (const Case& c : cases) {
    const ToolPlacement tool = PlaceStroke(c.rect, 1024.0f, 768.0f, view);
    EXPECT_NEAR(tool.X, c.x, 1e-6);
    EXPECT_NEAR(tool.Y, c.y, 1e-6);
    EXPECT_NEAR(tool.Width, c.width, 1e-6);
    EXPECT_FLOAT_EQ(tool.Height, c.height);
  }
}

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
