#pragma once

#include "PainterCanvas.h"

#include <random>
#include <vector>

namespace nn_train {

// The classes a drawn stroke is made for: the five spells by their tool types, and shapes that must
// be refused.
constexpr int kSpellCount = 5;
constexpr int kNegative = -1;

struct Point {
  double x;
  double y;
};

// How a synthetic person draws: the ranges one stroke's parameters are drawn from.
struct DrawingStyle {
  double minSize = 60, maxSize = 600;      // screen pixels per axis of the shape's box
  double maxLeanDegrees = 4;
  double tremorPixels = 1.5;
  double minFps = 30, maxFps = 240;
  double minEventHz = 125, maxEventHz = 1000;
  double minSeconds = 0.25, maxSeconds = 1.2;  // time the whole stroke takes
  int screenWidth = 1024, screenHeight = 768;
  // For measuring where a spell stops being recognised: when set, every stroke leans by exactly this
  // many degrees (either way), and an arch's height is this share of its width.
  double fixedLeanDegrees = -1;
  double fixedArchAspect = -1;
};

// One stroke as the canvas receives it: canvas fractions, one point per frame.
std::vector<Point> DrawStroke(int shapeClass, int negativeKind, const DrawingStyle& style, std::mt19937_64& random);
constexpr int kNegativeKinds = 8;

// The rows the recogniser reads after the stroke's points pass through the canvas.
Vellgrove::PainterCanvas::Rows RowsOfStroke(const std::vector<Point>& points);

}  // namespace nn_train
