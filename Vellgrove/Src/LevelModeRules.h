#pragma once

#include "PainterCanvas.h"
#include "VGFrame.h"
#include "VGLevel.h"
#include "VGMapMoveType.h"

#include <string>
#include <vector>

namespace Vellgrove {

// Where a released stroke is applied: its centre in the level's tool area, its size in fractions
// of the level view.
struct ToolPlacement {
  float X;
  float Y;
  float Width;
  float Height;
};

// The painter's canvas lies this far up and left of the pointer, in screen fractions.
extern const float kStrokeOffset;

// The stroke's rectangle on the 256 by 256 canvas, which covers the whole screen, turned into the
// box of the level view under it. The canvas pixels go back to the screen's and then through the
// frame's level viewport, which draws the level, so the spell's box is where the player drew, at
// the stroke's width and height (from its outermost drawn pixels' centres). The centre is handed
// over inside the level's tool area, whose own conversion (VGLevel::ToolPointToWorld) gives back
// the same fraction of the view and adds the scroll the world is drawn with.
ToolPlacement PlaceStroke(const StrokeRect& rect, float screenWidth, float screenHeight,
                          const VGFrame::Viewport& view, const VGLevel::ToolArea& area);

// The directions the pointer pushes the level view from (fx, fy), fractions of the screen: near
// the left (< 0.212) or top (< 0.08) without a lower bound, near the right (> 0.92) or bottom
// (> 0.87) up to the screen's edge; in the order left, right, up, down.
std::vector<VGMapMoveType> PointerScrollDirections(float fx, float fy);

// The remaining play time as "mm:ss", whole seconds.
std::string TimerText(float remainingSeconds);
// The score filled with zeros to nine digits.
std::string ScoreText(unsigned int score);

}  // namespace Vellgrove
