// The network the game ships, judged on strokes drawn through the game's own canvas as a player draws
// them, with drawing parameters other than those it was trained on.
#include "SpellRecognizer.h"
#include "StrokeSynth.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using nn_train::DrawingStyle;
using nn_train::DrawStroke;
using nn_train::RowsOfStroke;

const std::string kNetPath = std::string(KORVEX_SOURCE_DIR) + "/data/Res/nn.xml";

const SpellRecognizer& ShippedNet() {
  static const SpellRecognizer recogniser(std::wstring(kNetPath.begin(), kNetPath.end()));
  return recogniser;
}

DrawingStyle OtherHands() {
  DrawingStyle style;
  style.screenWidth = 800;
  style.screenHeight = 600;
  style.tremorPixels = 1;
  style.minFps = 50;
  style.maxFps = 144;
  style.minSeconds = 0.3;
  style.maxSeconds = 1.0;
  return style;
}

// Answers -2 for a stroke refused before the net (one row high).
int Answer(int shape, int negativeKind, const DrawingStyle& style, std::mt19937_64& random) {
  const auto rows = RowsOfStroke(DrawStroke(shape, negativeKind, style, random));
  return rows.size() < 2 ? -2 : ShippedNet().Recognize(rows);
}

TEST(ShippedNet, AFewStrokesOfEverySpellAndOfEveryRefusedShape) {
  std::mt19937_64 random(4242);
  const DrawingStyle style = OtherHands();
  for (int shape = 0; shape < nn_train::kSpellCount; ++shape)
    for (int n = 0; n < 3; ++n) EXPECT_EQ(Answer(shape, 0, style, random), shape) << "spell " << shape << " #" << n;
  // The scribble (6) is random enough to look like a spell now and then; the rest never should.
  for (int kind : {0, 1, 2, 3, 4, 5, 7}) EXPECT_EQ(Answer(nn_train::kNegative, kind, style, random), -1) << kind;
}

TEST(ShippedNet, HeldOutStrokesReachTheStatedAccuracy) {
  std::mt19937_64 random(99);
  const DrawingStyle style = OtherHands();
  const int perSpell = 120;
  int right = 0;
  for (int shape = 0; shape < nn_train::kSpellCount; ++shape)
    for (int n = 0; n < perSpell; ++n) right += Answer(shape, 0, style, random) == shape;
  EXPECT_GE(right, int(0.99 * nn_train::kSpellCount * perSpell));

  const int negatives = 400;
  int accepted = 0;
  for (int n = 0; n < negatives; ++n) accepted += Answer(nn_train::kNegative, n % nn_train::kNegativeKinds, style, random) >= 0;
  EXPECT_LE(accepted, negatives * 6 / 100);
}

}  // namespace
