#include "LevelModeRules.h"

#include <cstdio>

namespace Vellgrove {

namespace {

const float kCanvasSize = 256.0f;

std::string TwoDigits(int value) {
  const std::string text = std::to_string(value);
  return text.size() == 1 ? "0" + text : text;
}

}  // namespace

const float kStrokeOffset = 0.0199999996f;
const float kToolXOffset = 0.0399999991f;

ToolPlacement PlaceStroke(const StrokeRect& rect, float screenWidth, float screenHeight,
                          const VGFrame::Viewport& view) {
  const float wN = float(unsigned(rect.width)) / kCanvasSize;
  const float hN = float(unsigned(rect.height)) / kCanvasSize;
  const float cx = float(unsigned(rect.x)) / kCanvasSize + 0.5f * wN;
  const float cy = float(unsigned(rect.y)) / kCanvasSize + 0.5f * hN;
  const float widthShare = wN * float(view.Width) / screenWidth;
  const float width = widthShare * float(view.Height) / screenHeight;
  return {cx - (0.5f * float(view.X) / screenWidth + kToolXOffset), cy, width, hN};
}

std::vector<VGMapMoveType> PointerScrollDirections(float fx, float fy) {
  std::vector<VGMapMoveType> directions;
  if (fx < 0.212f) directions.push_back(VGMMT_LEFT);
  if (0.92f < fx && fx <= 1.0f) directions.push_back(VGMMT_RIGHT);
  if (fy < 0.08f) directions.push_back(VGMMT_UP);
  if (0.87f < fy && fy <= 1.0f) directions.push_back(VGMMT_DOWN);
  return directions;
}

std::string TimerText(float remainingSeconds) {
  const int seconds = int(remainingSeconds);
  return TwoDigits(seconds / 60) + ":" + TwoDigits(seconds - 60 * (seconds / 60));
}

std::string ScoreText(unsigned int score) {
  char text[16];
  std::snprintf(text, sizeof text, "%09u", score);
  return text;
}

}  // namespace Vellgrove
