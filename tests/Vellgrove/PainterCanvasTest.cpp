#include "PainterCanvas.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using Vellgrove::PainterCanvas;
using Vellgrove::StrokeRect;
using Pixels = std::set<std::pair<int, int>>;

namespace {

Pixels DrawnPixels(const PainterCanvas& canvas) {
  Pixels drawn;
  for (int y = 0; y < PainterCanvas::kSide; ++y) {
    for (int x = 0; x < PainterCanvas::kSide; ++x) {
      if (canvas.IsDrawn(x, y)) drawn.insert({x, y});
    }
  }
  return drawn;
}

Pixels Line(int fromX, int fromY, int toX, int toY) {
  PainterCanvas canvas;
  canvas.DrawLine(fromX, fromY, toX, toY);
  return DrawnPixels(canvas);
}

}  // namespace

TEST(PainterCanvas, LinesAreEightConnectedWithBothEndsAndTheSamePixelsEitherWay) {
  struct Case { int fx, fy, tx, ty; Pixels expected; };
  const Case cases[] = {
      {2, 2, 2, 2, {{2, 2}}},
      {1, 5, 4, 5, {{1, 5}, {2, 5}, {3, 5}, {4, 5}}},
      {3, 1, 3, 3, {{3, 1}, {3, 2}, {3, 3}}},
      // Shallow: one pixel per column, ends exactly at the end point.
      {0, 0, 4, 1, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}},
      // Steep: one pixel per row, no gaps.
      {0, 0, 1, 4, {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {1, 4}}},
      {0, 4, 2, 0, {{0, 4}, {1, 3}, {1, 2}, {2, 1}, {2, 0}}},
      // Clipped: the pixels off the canvas are skipped, the rest drawn.
      {-2, 0, 1, 0, {{0, 0}, {1, 0}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Line(c.fx, c.fy, c.tx, c.ty), c.expected) << c.fx << "," << c.fy << " to " << c.tx << "," << c.ty;
    EXPECT_EQ(Line(c.tx, c.ty, c.fx, c.fy), c.expected) << "reversed";
  }
}

TEST(PainterCanvas, EveryLineIsConnectedAndHitsBothEnds) {
  for (int tx = -5; tx <= 5; ++tx) {
    for (int ty = -5; ty <= 5; ++ty) {
      const Pixels line = Line(10, 10, 10 + tx, 10 + ty);
      EXPECT_TRUE(line.count({10, 10}) && line.count({10 + tx, 10 + ty})) << tx << "," << ty;
      EXPECT_EQ(line.size(), std::size_t(std::max(std::abs(tx), std::abs(ty)) + 1)) << tx << "," << ty;
    }
  }
}

TEST(PainterCanvas, RenderJoinsPointsClipsNearTheEdgeAndClearForgetsThePoint) {
  PainterCanvas canvas;
  canvas.Render(-0.02f, 0.5f);  // x = -5: stored, not drawn
  canvas.Render(0.01f, 0.5f);   // x = 2: the segment from -5 draws 0 to 2
  EXPECT_EQ(DrawnPixels(canvas), (Pixels{{0, 128}, {1, 128}, {2, 128}}));
  canvas.Render(-0.003f, 0.0f);  // truncation toward zero lands on column 0
  EXPECT_TRUE(canvas.IsDrawn(0, 0));
  canvas.Clear();
  EXPECT_TRUE(DrawnPixels(canvas).empty());
  canvas.Render(0.5f, 0.5f);  // after Clear a single point, no line from the old one
  EXPECT_EQ(DrawnPixels(canvas), (Pixels{{128, 128}}));
}

TEST(PainterCanvas, RectangleAndRowsCoverTheStroke) {
  PainterCanvas canvas;
  const StrokeRect empty = canvas.EffectiveRectangle();
  EXPECT_EQ((std::vector<int>{empty.x, empty.y, empty.width, empty.height}), (std::vector<int>{0, 0, 1, 1}));
  EXPECT_EQ(canvas.StrokeRows(empty), (PainterCanvas::Rows{{0}}));
  canvas.PutPixel(10, 20);
  canvas.PutPixel(12, 21);
  canvas.PutPixel(255, 255);
  const StrokeRect rect = canvas.EffectiveRectangle();
  EXPECT_EQ((std::vector<int>{rect.x, rect.y, rect.width, rect.height}), (std::vector<int>{10, 20, 246, 236}));
  canvas.Clear();
  canvas.PutPixel(10, 20);
  canvas.PutPixel(12, 21);
  const StrokeRect small = canvas.EffectiveRectangle();
  EXPECT_EQ(canvas.StrokeRows(small), (PainterCanvas::Rows{{0xFF, 0, 0}, {0, 0, 0xFF}}));
}
