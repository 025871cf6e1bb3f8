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

ToolPlacement PlaceStroke(const StrokeRect& rect, float screenWidth, float screenHeight,
                          const VGFrame::Viewport& view, const VGLevel::ToolArea& area) {
  // The canvas pixel c covers the screen from (c / 256 + kStrokeOffset) of its width or height on;
  // a stroke is taken from its first drawn pixel's centre to its last one's.
  const auto toScreen = [](float canvasPixels, float screenSize) {
    return (canvasPixels / kCanvasSize + kStrokeOffset) * screenSize;
  };
  const auto extent = [](int drawnPixels, float screenSize) {
    return float(drawnPixels - 1) / kCanvasSize * screenSize;
  };
  const float centreX = toScreen(float(rect.x) + 0.5f * float(rect.width), screenWidth);
  const float centreY = toScreen(float(rect.y) + 0.5f * float(rect.height), screenHeight);
  const float viewX = (centreX - float(view.X)) / float(view.Width);
  const float viewY = (centreY - float(view.Y)) / float(view.Height);
  return {area.X + viewX * area.Width, area.Y + viewY * area.Height,
          extent(rect.width, screenWidth) / float(view.Width), extent(rect.height, screenHeight) / float(view.Height)};
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
