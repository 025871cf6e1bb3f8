#pragma once

#include "PainterCanvas.h"
#include "ShapePaths.h"

#include <random>
#include <vector>

namespace nn_train {

// The classes a drawn stroke is made for: the five spells by their tool types, and shapes that must
// be refused.
constexpr int kSpellCount = 5;
constexpr int kNegative = -1;

// How a synthetic person draws: the ranges one stroke's parameters are drawn from.
struct DrawingStyle {
  double minSize = 40, maxSize = 600;  // screen pixels along the longer side of the shape's box
  // A line leans up to this far, now and then up to three times as far; other shapes half as far.
  double maxLeanDegrees = 20;
  double wobble = 0.025;  // how far the hand wanders off the meant path, as a share of the size
  double minFps = 30, maxFps = 240;
  double minEventHz = 35, maxEventHz = 200;
  // How fast the pen moves, in sizes of the shape per second.
  double minSizesPerSecond = 0.7, maxSizesPerSecond = 6;
  int screenWidth = 1024, screenHeight = 768;
  // For measuring where a spell stops being recognised: when set, every stroke leans by exactly this
  // many degrees (either way), and an arch's height is this share of its width.
  double fixedLeanDegrees = -1;
  double fixedArchAspect = -1;
};

// One stroke as the canvas receives it: canvas fractions, one point per frame.
std::vector<Point> DrawStroke(int shapeClass, int negativeKind, const DrawingStyle& style, std::mt19937_64& random);

// The rows the recogniser reads after the stroke's points pass through the canvas.
Vellgrove::PainterCanvas::Rows RowsOfStroke(const std::vector<Point>& points);

}  // namespace nn_train
