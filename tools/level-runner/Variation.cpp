#include "Variation.h"

namespace LevelRunner {

SolutionStep Variation::Apply(SolutionStep step) const {
  if (step.What != SolutionStep::Spell) return step;
  if (step.Tool == Vellgrove::VGTT_BRIDGE) {
    step.Y += BridgeLift;
    step.Width *= BridgeWidth;
  } else if (step.Tool == Vellgrove::VGTT_WALL) {
    step.Y += WallLift;
    step.Height *= WallHeight;
  }
  return step;
}

std::vector<Variation> AsPeopleDraw() {
  const float high = -0.04f, low = 0.015f, wallLow = 0.04f;
  return {
      Variation{"as recorded"},
      Variation{"high and small", high, 0.85f, high, 0.8f},
      Variation{"low and large", low, 1.15f, wallLow, 1.2f},
      Variation{"high and large", high, 1.15f, high, 1.2f},
      Variation{"low and small", low, 0.85f, wallLow, 0.8f},
  };
}

}  // namespace LevelRunner
