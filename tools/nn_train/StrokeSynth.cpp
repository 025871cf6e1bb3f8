#include "StrokeSynth.h"

#include <algorithm>
#include <cmath>

namespace nn_train {

namespace {

const double kPi = 3.14159265358979323846;

double Uniform(std::mt19937_64& random, double low, double high) {
  return low + (high - low) * (double(random() >> 11) / double(1ull << 53));
}

bool Coin(std::mt19937_64& random) { return (random() >> 63) != 0; }

using Path = std::vector<Point>;

Path Ellipse(double fromAngle, double sweep, int pieces) {
  Path path;
  for (int i = 0; i <= pieces; ++i) {
    const double a = fromAngle + sweep * i / pieces;
    path.push_back({0.5 + 0.5 * std::cos(a), 0.5 + 0.5 * std::sin(a)});
  }
  return path;
}

// A shape in the unit box, y downwards.
Path SpellPath(int shapeClass, std::mt19937_64& random) {
  const double tip = Uniform(random, 0.35, 0.65);  // unequal arms
  switch (shapeClass) {
    case 0: return {{0.5, 0}, {0.5, 1}};
    case 1: return Ellipse(kPi, kPi, 24);  // from the left end over the top to the right end
    case 2: return {{0, 0}, {1, tip}, {0, 1}};
    case 3: return {{1, 0}, {0, tip}, {1, 1}};
    default: {
      const double sweep = 2 * kPi * Uniform(random, 0.9, 1.12);  // stopping short or overshooting
      return Ellipse(Uniform(random, 0, 2 * kPi), sweep, 48);
    }
  }
}

Path NegativePath(int kind, std::mt19937_64& random) {
  switch (kind) {
    case 0: return {{0, 0}, {0.5, 1}, {1, 0}};                        // V
    case 1: return {{0, 0}, {0, 0.7}, {0.2, 1}, {0.8, 1}, {1, 0.7}, {1, 0}};  // U
    case 2: return {{0, 0}, {1, 0}, {0, 1}, {1, 1}};                  // Z
    case 3: {                                                         // S
      Path path = Ellipse(-0.1 * kPi, -1.3 * kPi, 16);
      for (Point& p : path) p.y *= 0.5;
      Path lower = Ellipse(-0.5 * kPi, 1.4 * kPi, 16);
      for (Point& p : lower) p.y = 0.5 + 0.5 * p.y;
      path.insert(path.end(), lower.begin(), lower.end());
      return path;
    }
    case 4: return {{0, 0}, {0.25, 1}, {0.5, 0.2}, {0.75, 1}, {1, 0}};  // W
    case 5: {                                                           // two-turn spiral
      Path path;
      for (int i = 0; i <= 96; ++i) {
        const double t = i / 96.0, r = 0.5 * (0.15 + 0.85 * t);
        path.push_back({0.5 + r * std::cos(4 * kPi * t), 0.5 + r * std::sin(4 * kPi * t)});
      }
      return path;
    }
    case 6: {  // scribble
      Path path;
      const int count = 5 + int(random() % 6);
      for (int i = 0; i < count; ++i) path.push_back({Uniform(random, 0, 1), Uniform(random, 0, 1)});
      return path;
    }
    default: return Coin(random) ? Path{{0, 0}, {1, 1}} : Path{{0, 1}, {1, 0}};  // a diagonal
  }
}

// The point at a fraction of the path's length.
Point AlongPath(const Path& path, const std::vector<double>& lengths, double fraction) {
  const double target = fraction * lengths.back();
  std::size_t i = std::size_t(std::lower_bound(lengths.begin(), lengths.end(), target) - lengths.begin());
  if (i == 0) return path.front();
  if (i >= path.size()) return path.back();
  const double span = lengths[i] - lengths[i - 1];
  const double t = span > 0 ? (target - lengths[i - 1]) / span : 0;
  return {path[i - 1].x + t * (path[i].x - path[i - 1].x), path[i - 1].y + t * (path[i].y - path[i - 1].y)};
}

}  // namespace

std::vector<Point> DrawStroke(int shapeClass, int negativeKind, const DrawingStyle& style, std::mt19937_64& random) {
  Path path = shapeClass == kNegative ? NegativePath(negativeKind, random) : SpellPath(shapeClass, random);
  if (Coin(random) && shapeClass != 2 && shapeClass != 3) std::reverse(path.begin(), path.end());
  if (shapeClass == 2 || shapeClass == 3) {
    if (Coin(random)) std::reverse(path.begin(), path.end());
  }
  // Size, aspect and lean on the screen.
  const double width = shapeClass == 0 ? 0 : Uniform(random, style.minSize, style.maxSize);
  double height = Uniform(random, style.minSize, style.maxSize);
  double lean = Uniform(random, -style.maxLeanDegrees, style.maxLeanDegrees) * kPi / 180;
  // The fixed measures replace drawn values without drawing fewer, so that the rest stays the same.
  if (style.fixedLeanDegrees >= 0) lean = (lean < 0 ? -1 : 1) * style.fixedLeanDegrees * kPi / 180;
  if (style.fixedArchAspect > 0 && shapeClass == 1) height = width * style.fixedArchAspect;
  const double left = Uniform(random, -0.02 * style.screenWidth, style.screenWidth - std::max(width, 8.0));
  const double top = Uniform(random, -0.02 * style.screenHeight, std::max(0.0, style.screenHeight - height));
  std::vector<double> lengths{0};
  Path screen;
  for (const Point& p : path) {
    const double x = (p.x - 0.5) * width, y = (p.y - 0.5) * height;
    screen.push_back({left + width / 2 + x * std::cos(lean) - y * std::sin(lean),
                      top + height / 2 + x * std::sin(lean) + y * std::cos(lean)});
    if (screen.size() > 1) {
      const Point& a = screen[screen.size() - 2];
      lengths.push_back(lengths.back() + std::hypot(screen.back().x - a.x, screen.back().y - a.y));
    }
  }
  // Mouse events at a fixed rate with a bell-shaped speed, read once a frame at whole pixels.
  const double seconds = Uniform(random, style.minSeconds, style.maxSeconds);
  const double eventPeriod = 1.0 / Uniform(random, style.minEventHz, style.maxEventHz);
  const double framePeriod = 1.0 / Uniform(random, style.minFps, style.maxFps);
  std::vector<Point> points;
  Point mouse = screen.front();
  double nextEvent = 0;
  for (double frame = 0;; frame += framePeriod) {
    for (; nextEvent <= std::min(frame, seconds); nextEvent += eventPeriod) {
      const double t = nextEvent / seconds;
      const Point p = AlongPath(screen, lengths, (1 - std::cos(kPi * t)) / 2);
      // The pointer never leaves the screen, however far the hand goes.
      mouse = {std::clamp(std::floor(p.x + Uniform(random, -style.tremorPixels, style.tremorPixels)), 0.0,
                          double(style.screenWidth - 1)),
               std::clamp(std::floor(p.y + Uniform(random, -style.tremorPixels, style.tremorPixels)), 0.0,
                          double(style.screenHeight - 1))};
    }
    points.push_back({mouse.x / style.screenWidth, mouse.y / style.screenHeight});
    if (frame > seconds) break;
  }
  return points;
}

Vellgrove::PainterCanvas::Rows RowsOfStroke(const std::vector<Point>& points) {
  Vellgrove::PainterCanvas canvas;
  for (const Point& p : points) canvas.Render(float(p.x), float(p.y));
  return canvas.StrokeRows(canvas.EffectiveRectangle());
}

}  // namespace nn_train
