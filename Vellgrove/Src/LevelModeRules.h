#pragma once

#include "PainterCanvas.h"
#include "VGFrame.h"
#include "VGMapMoveType.h"

#include <string>
#include <vector>

namespace Vellgrove {

// Where a released stroke is applied, in the level's view fractions, and its size.
struct ToolPlacement {
  float X;
  float Y;
  float Width;
  float Height;
};

// The painter's canvas lies this far up and left of the pointer, in screen fractions.
extern const float kStrokeOffset;
// A tool's point lies this far left of its stroke's centre, besides half the level view's left edge.
extern const float kToolXOffset;

// The stroke's rectangle on the 256 by 256 canvas turned into the tool's point and size, with the
// offsets the game has always used: the point sits a little left of the stroke's centre, and the
// width carries both the level view's share of the screen's width and its share of the height.
ToolPlacement PlaceStroke(const StrokeRect& rect, float screenWidth, float screenHeight,
                          const VGFrame::Viewport& view);

// The directions the pointer pushes the level view from (fx, fy), fractions of the screen: near
// the left (< 0.212) or top (< 0.08) without a lower bound, near the right (> 0.92) or bottom
// (> 0.87) up to the screen's edge; in the order left, right, up, down.
std::vector<VGMapMoveType> PointerScrollDirections(float fx, float fy);

// The remaining play time as "mm:ss", whole seconds.
std::string TimerText(float remainingSeconds);
// The score filled with zeros to nine digits.
std::string ScoreText(unsigned int score);

}  // namespace Vellgrove
