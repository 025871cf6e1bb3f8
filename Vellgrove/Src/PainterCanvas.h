#pragma once

#include <vector>

namespace Vellgrove {

// The stroke's bounding rectangle in canvas pixels; width and height are at least 1.
struct StrokeRect {
  int x;
  int y;
  int width;
  int height;
};

// The drawing canvas's pixels without any device: one byte per pixel, non-zero when drawn. The game's
// canvas texture shows these bytes, and the network's trainer draws through this same code, so that
// what it learns from is pixel for pixel what the player draws.
class PainterCanvas {
 public:
  static constexpr int kSide = 256;
  using Rows = std::vector<std::vector<unsigned char>>;

  PainterCanvas();

  // Adds one point in canvas fractions; points outside the canvas are kept and clipped per pixel.
  void Render(float u, float v);
  void Clear();
  StrokeRect EffectiveRectangle() const;
  // The drawn bytes inside the rectangle, one row per canvas row.
  Rows StrokeRows(const StrokeRect& rect) const;
  bool IsDrawn(int x, int y) const;

  // An 8-connected line: one pixel per step along the longer axis, both ends included, the same pixels
  // whichever end it starts from.
  void DrawLine(int fromX, int fromY, int toX, int toY);
  void PutPixel(int x, int y);

 private:
  std::vector<unsigned char> m_pixels;
  int m_previousX;
  int m_previousY;
};

}  // namespace Vellgrove
