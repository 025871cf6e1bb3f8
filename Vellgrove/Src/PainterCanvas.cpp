#include "PainterCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace Vellgrove {

namespace {

// floor(numerator / denominator) for a positive denominator.
long FloorDivide(long numerator, long denominator) {
  const long quotient = numerator / denominator;
  return (numerator % denominator != 0 && numerator < 0) ? quotient - 1 : quotient;
}

}  // namespace

PainterCanvas::PainterCanvas() : m_pixels(std::size_t(kSide) * kSide, 0), m_previousX(-1), m_previousY(-1) {}

void PainterCanvas::Render(float u, float v) {
  // Truncation toward zero: a point a little left of or above the canvas still lands on its edge.
  const int x = int(double(kSide) * double(u));
  const int y = int(double(kSide) * double(v));
  if (m_previousX == -1) {
    PutPixel(x, y);
  } else {
    DrawLine(m_previousX, m_previousY, x, y);
  }
  m_previousX = x;
  m_previousY = y;
}

void PainterCanvas::Clear() {
  std::fill(m_pixels.begin(), m_pixels.end(), 0);
  m_previousX = -1;
  m_previousY = -1;
}

void PainterCanvas::PutPixel(int x, int y) {
  if (x < 0 || y < 0 || x >= kSide || y >= kSide) return;
  m_pixels[std::size_t(y) * kSide + std::size_t(x)] = 0xFF;
}

bool PainterCanvas::IsDrawn(int x, int y) const {
  return x >= 0 && y >= 0 && x < kSide && y < kSide && m_pixels[std::size_t(y) * kSide + std::size_t(x)] != 0;
}

void PainterCanvas::DrawLine(int fromX, int fromY, int toX, int toY) {
  // Walking always from the lesser end makes the pixels independent of the stroke's direction.
  if (std::make_pair(toX, toY) < std::make_pair(fromX, fromY)) {
    std::swap(fromX, toX);
    std::swap(fromY, toY);
  }
  const long dx = long(toX) - fromX;
  const long dy = long(toY) - fromY;
  const long steps = std::max(std::labs(dx), std::labs(dy));
  if (steps == 0) {
    PutPixel(fromX, fromY);
    return;
  }
  for (long k = 0; k <= steps; ++k) {
    // The nearest pixel to the exact line, halves rounded up.
    const long x = fromX + FloorDivide(2 * k * dx + steps, 2 * steps);
    const long y = fromY + FloorDivide(2 * k * dy + steps, 2 * steps);
    PutPixel(int(x), int(y));
  }
}

StrokeRect PainterCanvas::EffectiveRectangle() const {
  int minX = kSide - 1, maxX = 0, minY = kSide - 1, maxY = 0;
  bool any = false;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      if (!IsDrawn(x, y)) continue;
      any = true;
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minY = std::min(minY, y);
      maxY = std::max(maxY, y);
    }
  }
  if (!any) return StrokeRect{0, 0, 1, 1};
  return StrokeRect{minX, minY, maxX - minX + 1, maxY - minY + 1};
}

PainterCanvas::Rows PainterCanvas::StrokeRows(const StrokeRect& rect) const {
  Rows rows(std::size_t(rect.height), std::vector<unsigned char>(std::size_t(rect.width), 0));
  for (int i = 0; i < rect.height; ++i) {
    for (int c = 0; c < rect.width; ++c) rows[std::size_t(i)][std::size_t(c)] = IsDrawn(rect.x + c, rect.y + i) ? 0xFF : 0;
  }
  return rows;
}

}  // namespace Vellgrove
