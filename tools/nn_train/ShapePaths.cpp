#include "ShapePaths.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace nn_train {

namespace {

const double kPi = 3.14159265358979323846;

// Where the box of a line has no width or height, its points sit in the middle of that axis.
Path FitToUnitBox(Path path) {
  double minX = path[0].x, maxX = minX, minY = path[0].y, maxY = minY;
  for (const Point& p : path) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  for (Point& p : path) {
    p.x = maxX > minX ? (p.x - minX) / (maxX - minX) : 0.5;
    p.y = maxY > minY ? (p.y - minY) / (maxY - minY) : 0.5;
  }
  return path;
}

Path Arc(Point centre, double radiusX, double radiusY, double fromAngle, double sweep, int pieces) {
  Path path;
  for (int i = 0; i <= pieces; ++i) {
    const double a = fromAngle + sweep * i / pieces;
    path.push_back({centre.x + radiusX * std::cos(a), centre.y + radiusY * std::sin(a)});
  }
  return path;
}

Point Lerp(Point a, Point b, double t) { return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)}; }

// A hand turns a corner along a curve: each inner corner is cut back by up to `roundness` of its
// shorter edge and replaced by a parabola through the cut points.
Path RoundCorners(const Path& corners, double roundness, std::mt19937_64& random) {
  Path path{corners.front()};
  for (std::size_t i = 1; i + 1 < corners.size(); ++i) {
    const Point before = corners[i - 1], corner = corners[i], after = corners[i + 1];
    const double share = Uniform(random, 0, roundness);
    const double in = std::hypot(corner.x - before.x, corner.y - before.y);
    const double out = std::hypot(after.x - corner.x, after.y - corner.y);
    const double cut = share * std::min(in, out);
    const Point from = Lerp(corner, before, in > 0 ? cut / in : 0), to = Lerp(corner, after, out > 0 ? cut / out : 0);
    for (int k = 0; k <= 6; ++k) {
      const double t = k / 6.0;
      path.push_back(Lerp(Lerp(from, corner, t), Lerp(corner, to, t), t));
    }
  }
  path.push_back(corners.back());
  return path;
}

Path Mirrored(Path path) {
  for (Point& p : path) p.x = 1 - p.x;
  return path;
}

// A wall: an upright line that people draw in two or three pieces of their own leans, and whose ends
// curl where the hand starts or stops turning.
Path Line(std::mt19937_64& random) {
  Path corners{{0.5, 0}};
  const int pieces = Chance(random, 0.4) ? 1 : Chance(random, 0.7) ? 2 : 3;
  double x = 0.5, y = 0;
  for (int k = 1; k <= pieces; ++k) {
    const double to = k == pieces ? 1 : y + (1 - y) * Uniform(random, 0.25, 0.75);
    x += std::tan(Uniform(random, -12, 12) * kPi / 180) * (to - y);
    y = to;
    corners.push_back({x, y});
  }
  for (int end = 0; end < 2; ++end) {
    if (!Chance(random, 0.3)) continue;
    // The first or last few hundredths bend off sideways.
    const double reach = Uniform(random, 0.04, 0.15), side = Uniform(random, -0.6, 0.6) * reach;
    if (end == 0) corners.insert(corners.begin(), {corners.front().x + side, -reach});
    else corners.push_back({corners.back().x + side, 1 + reach});
  }
  return RoundCorners(corners, 0.6, random);
}

// A bridge: a squared arch with legs of their own lengths, or a round one, flat or tall.
Path Arch(std::mt19937_64& random) {
  if (Chance(random, 0.55)) {
    double leftFoot = Uniform(random, 0.4, 1), rightFoot = Uniform(random, 0.4, 1);
    (leftFoot > rightFoot ? leftFoot : rightFoot) = 1;
    const Path corners{{Uniform(random, -0.1, 0.06), leftFoot},
                       {0, Uniform(random, -0.05, 0.05)},
                       {0.5, Uniform(random, -0.06, 0.06)},
                       {1, Uniform(random, -0.05, 0.05)},
                       {1 + Uniform(random, -0.06, 0.1), rightFoot}};
    return RoundCorners(corners, 0.5, random);
  }
  // Round: half an ellipse or a little more, on legs of any length.
  const double overturn = Uniform(random, -0.1, 0.25);
  Path path = Arc({0.5, 1}, 0.5, 1, kPi - overturn, kPi + 2 * overturn, 24);
  path.insert(path.begin(), {path.front().x, path.front().y + Uniform(random, 0, 0.6)});
  path.push_back({path.back().x, path.back().y + Uniform(random, 0, 0.6)});
  return path;
}

// A wind to the right: two arms of their own lengths from a sharp or rounded tip.
Path Chevron(std::mt19937_64& random) {
  double topEnd = Uniform(random, 0, 0.35), bottomEnd = Uniform(random, 0, 0.35);
  (topEnd < bottomEnd ? topEnd : bottomEnd) = 0;
  const Point tip{1, Uniform(random, 0.3, 0.7)};
  const Point top{topEnd, 0}, bottom{bottomEnd, 1};
  // Arms that bow a little out, or sag towards each other so that they meet nearly level.
  const Point upper = Lerp(top, tip, Uniform(random, 0.35, 0.65)), lower = Lerp(tip, bottom, Uniform(random, 0.35, 0.65));
  const Path corners{top, {upper.x, upper.y + Uniform(random, -0.08, 0.2)}, tip,
                     {lower.x, lower.y - Uniform(random, -0.08, 0.2)}, bottom};
  return RoundCorners(corners, 0.6, random);
}

// A loop that comes back near where it began: an ellipse, an egg or a polygon with its corners.
Path Loop(std::mt19937_64& random) {
  const double turns = Uniform(random, 0.9, 1.15), start = Uniform(random, 0, 2 * kPi);
  const double direction = Chance(random, 0.5) ? 1 : -1;
  if (Chance(random, 0.65)) {
    const double squash = Uniform(random, 0, 0.12), phase = Uniform(random, 0, 2 * kPi);
    const double lopsided = Uniform(random, 0, 0.08), phase3 = Uniform(random, 0, 2 * kPi);
    Path path;
    const int pieces = 60;
    for (int i = 0; i <= pieces; ++i) {
      const double a = start + direction * 2 * kPi * turns * i / pieces;
      const double r = 0.5 * (1 + squash * std::cos(2 * a + phase) + lopsided * std::cos(3 * a + phase3));
      path.push_back({0.5 + r * std::cos(a), 0.5 + r * std::sin(a)});
    }
    return path;
  }
  const int sides = 3 + int(random() % 3);
  Path corners;
  const int count = int(std::ceil(sides * turns)) + 1;
  for (int i = 0; i < count; ++i) {
    const double a = start + direction * 2 * kPi * i / sides + Uniform(random, -0.15, 0.15);
    corners.push_back({0.5 + 0.5 * std::cos(a), 0.5 + 0.5 * std::sin(a)});
  }
  // Stop part way along the last side: short of the first corner or beyond it.
  const double last = sides * turns - (count - 2);
  corners.back() = Lerp(corners[count - 2], corners.back(), std::clamp(last, 0.1, 1.0));
  return RoundCorners(corners, 0.45, random);
}

// Turns a path by quarter turns and mirrors it, for shapes that mean nothing whichever way they face.
Path AnyWayRound(Path path, std::mt19937_64& random) {
  const int quarters = int(random() % 4);
  const bool mirror = Chance(random, 0.5);
  for (Point& p : path) {
    if (mirror) p.x = 1 - p.x;
    for (int q = 0; q < quarters; ++q) p = {1 - p.y, p.x};
  }
  return path;
}

Path Scribble(std::mt19937_64& random) {
  Path corners;
  const int count = 5 + int(random() % 7);
  for (int i = 0; i < count; ++i) corners.push_back({Uniform(random, 0, 1), Uniform(random, 0, 1)});
  return RoundCorners(corners, 0.6, random);
}

Path Zigzag(std::mt19937_64& random) {
  Path corners;
  const int count = 4 + int(random() % 5);
  for (int i = 0; i < count; ++i) corners.push_back({double(i) / (count - 1), i % 2 ? Uniform(random, 0.75, 1) : Uniform(random, 0, 0.25)});
  return AnyWayRound(RoundCorners(corners, 0.3, random), random);
}

Path Spiral(std::mt19937_64& random) {
  Path path;
  const double turns = Uniform(random, 1.6, 3), start = Uniform(random, 0, 2 * kPi);
  for (int i = 0; i <= 120; ++i) {
    const double t = i / 120.0, r = 0.5 * (0.1 + 0.9 * t);
    path.push_back({0.5 + r * std::cos(start + 2 * kPi * turns * t), 0.5 + r * std::sin(start + 2 * kPi * turns * t)});
  }
  return path;
}

Path CheckMark(std::mt19937_64& random) {
  const Path corners{{0, Uniform(random, 0.2, 0.8)}, {Uniform(random, 0.1, 0.5), 1}, {1, 0}};
  return RoundCorners(corners, 0.3, random);
}

// Two thirds of a loop or so: more than a round arch or a rounded chevron, less than a teleport.
Path OpenArc(std::mt19937_64& random) {
  const double sweep = (Chance(random, 0.5) ? 1 : -1) * 2 * kPi * Uniform(random, 0.63, 0.76);
  return Arc({0.5, 0.5}, 0.5, 0.5, Uniform(random, 0, 2 * kPi), sweep, 40);
}

// An X in one stroke: the two diagonals joined along one side of the box.
Path CrossInOneStroke(std::mt19937_64& random) {
  const Path corners{{0, 0}, {1, 1}, {Uniform(random, -0.1, 0.15), 1 + Uniform(random, -0.1, 0.05)}, {1, 0}};
  return AnyWayRound(RoundCorners(corners, 0.2, random), random);
}

// A line that curls into one loop on its way, its tails as long as they come.
Path Pigtail(std::mt19937_64& random) {
  const double loop = Uniform(random, 0.3, 0.6);
  Path path{{-Uniform(random, 0, 0.3), Uniform(random, -0.1, 0.2)}};
  for (int i = 0; i <= 60; ++i) {
    const double t = i / 60.0;
    path.push_back({t + loop * std::sin(2 * kPi * t), loop * (1 - std::cos(2 * kPi * t))});
  }
  path.push_back({1 + Uniform(random, 0, 0.3), Uniform(random, -0.1, 0.2)});
  return AnyWayRound(path, random);
}

Path Star(std::mt19937_64& random) {
  const int points = Chance(random, 0.7) ? 5 : 7, step = points == 5 ? 2 : 3;
  const double start = Uniform(random, 0, 2 * kPi);
  Path corners;
  for (int i = 0; i <= points; ++i) {
    const double a = start + 2 * kPi * step * i / points + Uniform(random, -0.1, 0.1);
    corners.push_back({0.5 + 0.5 * std::cos(a), 0.5 + 0.5 * std::sin(a)});
  }
  return RoundCorners(corners, 0.15, random);
}

// A shaft and its head, pointing any of eight ways.
Path Arrow(std::mt19937_64& random) {
  const double head = Uniform(random, 0.2, 0.4), spread = Uniform(random, 0.2, 0.4);
  Path path{{0, 0.5}, {1, 0.5}, {1 - head, 0.5 - spread}, {1, 0.5}, {1 - head, 0.5 + spread}};
  const double turn = kPi / 4 * double(random() % 8);
  for (Point& p : path) {
    const double x = p.x - 0.5, y = p.y - 0.5;
    p = {0.5 + x * std::cos(turn) - y * std::sin(turn), 0.5 + x * std::sin(turn) + y * std::cos(turn)};
  }
  return path;
}

Path CurlyBrace(std::mt19937_64& random) {
  const double waist = Uniform(random, 0.3, 0.5);
  const Path corners{{1, 0}, {waist, 0.08}, {waist, 0.42}, {0, 0.5}, {waist, 0.58}, {waist, 0.92}, {1, 1}};
  const Path brace = RoundCorners(corners, 0.6, random);
  return Chance(random, 0.5) ? Mirrored(brace) : brace;
}

Path LetterOrDigit(std::mt19937_64& random) {
  static const Path kGlyphs[] = {
      {{0, 1}, {0, 0}, {1, 1}, {1, 0}},                       // N
      {{0, 1}, {0.05, 0}, {0.5, 0.75}, {0.95, 0}, {1, 1}},    // M
      {{0, 0}, {1, 0}, {0, 1}, {1, 1}},                       // Z
      {{0, 0.2}, {0.5, 0}, {1, 0.25}, {0, 1}, {1, 1}},        // 2
      {{0, 0}, {1, 0.15}, {0.3, 0.5}, {1, 0.8}, {0, 1}},      // 3
      {{1, 0}, {0, 0}, {0, 0.45}, {1, 0.6}, {0.9, 1}, {0, 0.95}},  // 5
      {{0, 0}, {1, 0}, {0.3, 1}},                             // 7
      {{0, 1}, {0.5, 0}, {1, 1}, {0.2, 0.55}, {0.8, 0.55}},   // A
      {{0, 0}, {0, 1}, {1, 1}},                               // L
      {{0, 0}, {0.5, 0.5}, {1, 0}, {0.5, 0.5}, {0.5, 1}},     // Y
      {{0.1, 0.3}, {0.5, 0}, {0.9, 0.3}, {0.5, 0.6}, {0.5, 0.8}},  // ? without its dot
      {{0.5, 1}, {0, 0.35}, {0.25, 0}, {0.5, 0.3}, {0.75, 0}, {1, 0.35}, {0.5, 1}},  // heart
      {{0, 0.6}, {1, 0.6}, {0.9, 0.2}, {0.5, 0}, {0.1, 0.3}, {0.1, 0.8}, {0.5, 1}, {1, 0.9}},  // e
  };
  const Path& glyph = kGlyphs[random() % std::size(kGlyphs)];
  return RoundCorners(glyph, 0.35, random);
}

// A figure of eight any way round, or a wave lying down: standing up, a wave is what a wobbly wall
// looks like once the grid stretches it.
Path Curves(std::mt19937_64& random) {
  Path path;
  if (Chance(random, 0.5)) {
    for (int i = 0; i <= 80; ++i) {
      const double a = 2 * kPi * i / 80;
      path.push_back({0.5 + 0.5 * std::sin(2 * a), 0.5 - 0.5 * std::cos(a)});
    }
    return AnyWayRound(path, random);
  }
  const double waves = Uniform(random, 1.5, 3);
  for (int i = 0; i <= 60; ++i) path.push_back({i / 60.0, 0.5 + 0.5 * std::sin(2 * kPi * waves * i / 60.0)});
  return Chance(random, 0.5) ? Mirrored(path) : path;
}

Path Vee(std::mt19937_64& random) {
  return RoundCorners({{Uniform(random, 0, 0.2), 0}, {Uniform(random, 0.35, 0.65), 1}, {Uniform(random, 0.8, 1), 0}},
                      0.4, random);
}

Path Cup(std::mt19937_64& random) {
  return RoundCorners({{0, 0}, {Uniform(random, -0.05, 0.1), 1}, {Uniform(random, 0.9, 1.05), 1}, {1, 0}}, 0.6, random);
}

// Drawn freehand, a shape's parts come out of proportion: the unit box is warped by moving each of its
// corners up to `reach` either way and carrying every point along.
Path Warped(Path path, double reach, std::mt19937_64& random) {
  Point corner[4];
  for (Point& c : corner) c = {Uniform(random, -reach, reach), Uniform(random, -reach, reach)};
  for (Point& p : path) {
    const double u = p.x, v = p.y;
    const double dx = (1 - u) * (1 - v) * corner[0].x + u * (1 - v) * corner[1].x + (1 - u) * v * corner[2].x + u * v * corner[3].x;
    const double dy = (1 - u) * (1 - v) * corner[0].y + u * (1 - v) * corner[1].y + (1 - u) * v * corner[2].y + u * v * corner[3].y;
    p = {u + dx, v + dy};
  }
  return path;
}

}  // namespace

double Uniform(std::mt19937_64& random, double low, double high) {
  return low + (high - low) * (double(random() >> 11) / double(1ull << 53));
}

double LogUniform(std::mt19937_64& random, double low, double high) {
  return std::exp(Uniform(random, std::log(low), std::log(high)));
}

bool Chance(std::mt19937_64& random, double probability) { return Uniform(random, 0, 1) < probability; }

Shape SpellShape(int spell, double fixedArchAspect, std::mt19937_64& random) {
  switch (spell) {
    case 0: return {Line(random), 0};
    case 1: {
      const Path arch = FitToUnitBox(Arch(random));
      return {arch, fixedArchAspect > 0 ? fixedArchAspect : LogUniform(random, 0.18, 1.1)};
    }
    case 2: return {FitToUnitBox(Chevron(random)), LogUniform(random, 0.55, 1.8)};
    case 3: return {Mirrored(FitToUnitBox(Chevron(random))), LogUniform(random, 0.55, 1.8)};
    default: return {FitToUnitBox(Loop(random)), LogUniform(random, 0.65, 1.5)};
  }
}

Shape NegativeShape(int kind, std::mt19937_64& random) {
  using Maker = Path (*)(std::mt19937_64&);
  static const Maker kMakers[kNegativeKinds] = {Vee,  Cup,   Zigzag, Spiral,     Scribble,      CheckMark, CrossInOneStroke,
                                                Pigtail, Star, Arrow, CurlyBrace, LetterOrDigit, Curves, OpenArc};
  const Path path = FitToUnitBox(Warped(FitToUnitBox(kMakers[kind % kNegativeKinds](random)), 0.25, random));
  const double aspect = kMakers[kind % kNegativeKinds] == CurlyBrace ? LogUniform(random, 1.8, 4) : LogUniform(random, 0.6, 1.6);
  return {path, aspect};
}

}  // namespace nn_train
