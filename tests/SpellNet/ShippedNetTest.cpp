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
  style.wobble = 0.01;
  style.minFps = 50;
  style.maxFps = 144;
  style.minEventHz = 50;
  style.maxEventHz = 125;
  return style;
}

// Answers -2 for a stroke refused before the net (one row high).
int Answer(int shape, int negativeKind, const DrawingStyle& style, std::mt19937_64& random) {
  const auto rows = RowsOfStroke(DrawStroke(shape, negativeKind, style, random));
  return rows.size() < 2 ? -2 : ShippedNet().Recognize(rows);
}

// The share of strokes of one spell, drawn in the given style, that the net reads as that spell.
double RecognisedShare(int spell, const DrawingStyle& style, unsigned seed, int strokes) {
  std::mt19937_64 random(seed);
  int right = 0;
  for (int n = 0; n < strokes; ++n) right += Answer(spell, 0, style, random) == spell;
  return double(right) / strokes;
}

TEST(ShippedNet, HeldOutStrokesOfEverySpellAreRecognised) {
  const int perSpell = 200;
  double overall = 0;
  for (int spell = 0; spell < nn_train::kSpellCount; ++spell) {
    const double share = RecognisedShare(spell, OtherHands(), 99 + spell, perSpell);
    EXPECT_GE(share, 0.97) << "spell " << spell;
    overall += share / nn_train::kSpellCount;
  }
  EXPECT_GE(overall, 0.99);
}

TEST(ShippedNet, ShapesThatAreNoSpellAreRefused) {
  std::mt19937_64 random(4242);
  const int perKind = 60;
  int accepted = 0;
  for (int kind = 0; kind < nn_train::kNegativeKinds; ++kind) {
    int acceptedOfKind = 0;
    for (int n = 0; n < perKind; ++n) acceptedOfKind += Answer(nn_train::kNegative, kind, OtherHands(), random) >= 0;
    EXPECT_LE(acceptedOfKind, perKind / 5) << "kind " << kind;
    accepted += acceptedOfKind;
  }
  EXPECT_LE(accepted, nn_train::kNegativeKinds * perKind * 5 / 100);
}

// People's upright lines lean by up to a score of degrees, and the flattest of their arches are
// about a fifth as high as wide. A line held exactly upright by a steady hand is only a pixel or two
// wide, the hardest wall for the grid, which stretches its every wobble across the whole width.
TEST(ShippedNet, WallsLeaningAsPeopleLeanThemAndFlatArchesAreRecognised) {
  DrawingStyle style = OtherHands();
  for (double degrees : {0.0, 8.0, 15.0, 20.0}) {
    style.fixedLeanDegrees = degrees;
    EXPECT_GE(RecognisedShare(0, style, 7, 100), degrees == 0 ? 0.9 : 0.95) << degrees << " degrees";
  }
  style.fixedLeanDegrees = -1;
  for (double aspect : {0.2, 0.5, 1.0}) {
    style.fixedArchAspect = aspect;
    EXPECT_GE(RecognisedShare(1, style, 8, 100), 0.95) << "height/width " << aspect;
  }
}

}  // namespace
