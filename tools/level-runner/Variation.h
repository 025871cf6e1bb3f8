#pragma once

#include "Solution.h"

#include <string>
#include <vector>

namespace LevelRunner {

// A solution's walls and bridges drawn the way a person's hand draws them, a little off the
// recorded strokes: each spell's stroke moved up or down and made taller, shorter, wider or
// narrower about its centre. Other spells are drawn as recorded.
struct Variation {
  std::string Name;
  float BridgeLift = 0.0f;  // world units, positive down
  float BridgeWidth = 1.0f;
  float WallLift = 0.0f;
  float WallHeight = 1.0f;

  SolutionStep Apply(SolutionStep step) const;
};

// The solution as recorded and at the corners of a person's aim: arches with their feet on the
// ground up to 0.04 above it or 0.015 too low, 15% narrower or wider; walls 0.04 higher or lower,
// 20% shorter or taller.
std::vector<Variation> AsPeopleDraw();

}  // namespace LevelRunner
