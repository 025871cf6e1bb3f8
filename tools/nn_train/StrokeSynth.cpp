#include "StrokeSynth.h"

#include <algorithm>
#include <cmath>

namespace nn_train {

namespace {

const double kPi = 3.14159265358979323846;

double Length(Point a, Point b) { return std::hypot(b.x - a.x, b.y - a.y); }

// The path at points no further apart than `step`, so that wander and speed can vary along it.
Path Densified(const Path& path, double step) {
  Path dense{path.front()};
  for (std::size_t i = 1; i < path.size(); ++i) {
    const Point a = path[i - 1], b = path[i];
    const int pieces = std::max(1, int(std::ceil(Length(a, b) / step)));
    for (int k = 1; k <= pieces; ++k) dense.push_back({a.x + (b.x - a.x) * k / pieces, a.y + (b.y - a.y) * k / pieces});
  }
  return dense;
}

// A smooth random curve over [0, 1]: a few slow waves of random lengths, at most about 1 in size.
struct Wander {
  double amplitude[3], cycles[3], phase[3];
  Wander(std::mt19937_64& random, double minCycles, double maxCycles) {
    for (int k = 0; k < 3; ++k) {
      amplitude[k] = Uniform(random, 0, 0.6);
      cycles[k] = Uniform(random, minCycles, maxCycles);
      phase[k] = Uniform(random, 0, 2 * kPi);
    }
  }
  double At(double u) const {
    double sum = 0;
    for (int k = 0; k < 3; ++k) sum += amplitude[k] * std::sin(2 * kPi * cycles[k] * u + phase[k]);
    return sum;
  }
};

// How far the stroke leans: people hold a line within a score of degrees, now and then further; the
// other shapes lean less.
double LeanRadians(bool isLine, const DrawingStyle& style, std::mt19937_64& random) {
  const double side = Chance(random, 0.5) ? -1 : 1;
  if (style.fixedLeanDegrees >= 0) return side * style.fixedLeanDegrees * kPi / 180;
  // Most lines are near upright: the square of a uniform share puts half of them within a quarter of the
  // most people lean.
  const double share = Uniform(random, 0, 1);
  double degrees = Uniform(random, 0, style.maxLeanDegrees / 2);
  if (isLine) degrees = Chance(random, 0.9) ? style.maxLeanDegrees * share * share
                                            : Uniform(random, style.maxLeanDegrees, 3 * style.maxLeanDegrees);
  return side * degrees * kPi / 180;
}

// The shape as the hand means it on the screen, centred on the origin: sized, stretched and leaning.
Path Placed(const Shape& shape, double size, double lean) {
  const double width = shape.aspect <= 0 || shape.aspect < 1 ? size : size / shape.aspect;
  const double height = shape.aspect <= 0 ? size : shape.aspect >= 1 ? size : size * shape.aspect;
  Path screen;
  for (const Point& p : shape.path) {
    const double x = (p.x - 0.5) * width, y = (p.y - 0.5) * height;
    screen.push_back({x * std::cos(lean) - y * std::sin(lean), x * std::sin(lean) + y * std::cos(lean)});
  }
  return screen;
}

// The hand wanders off the meant path, further on a bigger shape, and a line bows a little.
Path Wobbled(const Path& path, double size, const DrawingStyle& style, std::mt19937_64& random) {
  const Path dense = Densified(path, std::max(1.0, size / 150));
  const Wander wander(random, 0.3, 3.5);
  const double amplitude = size * style.wobble * Uniform(random, 0.3, 1.6) + Uniform(random, 0, 1);
  const double bow = size * Uniform(random, -0.025, 0.025);
  std::vector<double> along{0};
  for (std::size_t i = 1; i < dense.size(); ++i) along.push_back(along.back() + Length(dense[i - 1], dense[i]));
  Path wobbled;
  for (std::size_t i = 0; i < dense.size(); ++i) {
    const Point a = dense[i == 0 ? 0 : i - 1], b = dense[i + 1 < dense.size() ? i + 1 : i];
    const double span = std::max(Length(a, b), 1e-9), u = along[i] / std::max(along.back(), 1e-9);
    const double offset = amplitude * wander.At(u) + bow * std::sin(kPi * u);
    wobbled.push_back({dense[i].x - offset * (b.y - a.y) / span, dense[i].y + offset * (b.x - a.x) / span});
  }
  return wobbled;
}

// Where the pen lands and lifts it often slips: a short flick in some direction at either end.
Path Hooked(Path path, double size, std::mt19937_64& random) {
  for (int end = 0; end < 2; ++end) {
    if (Chance(random, 0.5)) {
      const double length = size * Uniform(random, 0.01, 0.09) + Uniform(random, 0.5, 4);
      const double angle = Uniform(random, 0, 2 * kPi);
      const Point from = end == 0 ? path.front() : path.back();
      const Point tip{from.x + length * std::cos(angle), from.y + length * std::sin(angle)};
      const Path flick = Densified({tip, from}, 1.5);
      if (end == 0) path.insert(path.begin(), flick.begin(), flick.end() - 1);
      else path.insert(path.end(), flick.rbegin() + 1, flick.rend());
    }
  }
  return path;
}

// When the pen passes each point: slow to start and to stop, slower round corners, and unevenly fast.
std::vector<double> Timed(const Path& path, double size, const DrawingStyle& style, std::mt19937_64& random) {
  const double cornerBrake = Uniform(random, 0, 3);
  const Wander unevenness(random, 0.5, 3);
  std::vector<double> times{0};
  double length = 0;
  const std::size_t n = path.size();
  for (std::size_t i = 1; i < n; ++i) {
    const double u = double(i) / double(n - 1);
    // The turn over a few points on either side: how sharp a corner the pen is rounding.
    const std::size_t before = i >= 4 ? i - 4 : 0, after = std::min(n - 1, i + 3);
    double turn = 0;
    if (before + 1 < i && i < after) {
      const double in = std::atan2(path[i].y - path[before].y, path[i].x - path[before].x);
      const double out = std::atan2(path[after].y - path[i].y, path[after].x - path[i].x);
      turn = std::abs(std::remainder(out - in, 2 * kPi));
    }
    const double pace = (0.25 + 0.75 * std::sin(kPi * u)) * std::exp(0.4 * unevenness.At(u)) / (1 + cornerBrake * turn);
    times.push_back(times.back() + Length(path[i - 1], path[i]) / pace);
    length += Length(path[i - 1], path[i]);
  }
  // The pace above only shares the stroke's time out along it; the whole takes as long as its speed says.
  const double seconds = length / (size * LogUniform(random, style.minSizesPerSecond, style.maxSizesPerSecond));
  for (double& t : times) t *= seconds / std::max(times.back(), 1e-9);
  return times;
}

Point PositionAt(const Path& path, const std::vector<double>& times, double t) {
  const std::size_t i = std::size_t(std::upper_bound(times.begin(), times.end(), t) - times.begin());
  if (i == 0) return path.front();
  if (i >= path.size()) return path.back();
  const double f = (t - times[i - 1]) / std::max(times[i] - times[i - 1], 1e-12);
  return {path[i - 1].x + f * (path[i].x - path[i - 1].x), path[i - 1].y + f * (path[i].y - path[i - 1].y)};
}

// Moves the stroke to a random place where it fits the screen, a little beyond its left and top edges
// allowed, as the game allows.
Path OnScreen(Path path, const DrawingStyle& style, std::mt19937_64& random) {
  double minX = path[0].x, maxX = minX, minY = path[0].y, maxY = minY;
  for (const Point& p : path) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  const double left = Uniform(random, -0.02 * style.screenWidth, std::max(0.0, style.screenWidth - (maxX - minX) - 1));
  const double top = Uniform(random, -0.02 * style.screenHeight, std::max(0.0, style.screenHeight - (maxY - minY) - 1));
  for (Point& p : path) p = {p.x - minX + left, p.y - minY + top};
  return path;
}

}  // namespace

std::vector<Point> DrawStroke(int shapeClass, int negativeKind, const DrawingStyle& style, std::mt19937_64& random) {
  Shape shape = shapeClass == kNegative ? NegativeShape(negativeKind, random)
                                        : SpellShape(shapeClass, style.fixedArchAspect, random);
  if (Chance(random, 0.5)) std::reverse(shape.path.begin(), shape.path.end());
  const double size = LogUniform(random, style.minSize, style.maxSize);
  const double lean = LeanRadians(shape.aspect <= 0, style, random);
  const Path meant = Placed(shape, size, lean);
  const Path drawn = OnScreen(Hooked(Wobbled(meant, size, style, random), size, random), style, random);
  const std::vector<double> times = Timed(drawn, size, style, random);
  // Mouse events at the mouse's own rate, read once a frame at whole pixels; the pointer never leaves
  // the screen, however far the hand goes.
  const double eventPeriod = 1.0 / Uniform(random, style.minEventHz, style.maxEventHz);
  const double framePeriod = 1.0 / Uniform(random, style.minFps, style.maxFps);
  const double shake = Uniform(random, 0, 0.8);
  std::vector<Point> points;
  Point mouse = drawn.front();
  double nextEvent = 0;
  for (double frame = 0;; frame += framePeriod) {
    for (; nextEvent <= std::min(frame, times.back()); nextEvent += eventPeriod) {
      const Point p = PositionAt(drawn, times, nextEvent);
      mouse = {std::clamp(std::floor(p.x + Uniform(random, -shake, shake)), 0.0, double(style.screenWidth - 1)),
               std::clamp(std::floor(p.y + Uniform(random, -shake, shake)), 0.0, double(style.screenHeight - 1))};
    }
    points.push_back({mouse.x / style.screenWidth, mouse.y / style.screenHeight});
    if (frame > times.back()) break;
  }
  return points;
}

Vellgrove::PainterCanvas::Rows RowsOfStroke(const std::vector<Point>& points) {
  Vellgrove::PainterCanvas canvas;
  for (const Point& p : points) canvas.Render(float(p.x), float(p.y));
  return canvas.StrokeRows(canvas.EffectiveRectangle());
}

}  // namespace nn_train
