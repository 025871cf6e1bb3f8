// Trains the spell network on synthetic strokes drawn through the game's own canvas and grid code, or
// evaluates a network file on held-out strokes.
//   nn_train train OUT.xml [SEED] [STROKES_PER_SPELL] [ROUNDS]   each round on strokes drawn afresh
//   nn_train evaluate NET.xml [SEED] [STROKES_PER_CLASS]
//   nn_train sweep NET.xml [SEED] [STROKES_PER_STEP]     accuracy against a wall's lean and an arch's flatness
//   nn_train replay NET.xml STROKES.txt [FPS] [SCALE]   strokes recorded as mouse events, scaled about their centres
//   nn_train draw CLASS [SEED] [COUNT]                  generated strokes of a class (-1: no spell) in the replay format
#include "LayeredNet.h"
#include "SpellRecognizer.h"
#include "StrokeSynth.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using namespace nn_train;

namespace {

constexpr int kInputs = 400;
constexpr double kTarget = 0.9;

// Two hidden layers: the first finds strokes' parts in the grid, the second how the parts meet.
const std::vector<int> kLayerSizes{kInputs, 160, 32, kSpellCount};

struct Sample {
  std::vector<double> grid;  // 0 or 1 per cell
  int label;
};

// Ten strokes that are no spell in every round, of kinds drawn at random: as many as the spells' six, and
// more, because they must be refused however they come.
constexpr int kNegativesPerRound = 10;

// Walls come in the most forms once the grid stretches them (any lean, kinks, wobble), so they get twice
// the strokes of each other spell.
constexpr int kStrokesPerRound[kSpellCount] = {2, 1, 1, 1, 1};

// Strokes one row high are refused before the net, so they teach it nothing.
void AddSample(std::vector<Sample>& samples, int shapeClass, int negativeKind, const DrawingStyle& style,
               std::mt19937_64& random) {
  const auto rows = RowsOfStroke(DrawStroke(shapeClass, negativeKind, style, random));
  if (rows.size() < 2) return;
  samples.push_back({SpellRecognizer::StrokeGrid(rows), shapeClass});
}

std::vector<Sample> MakeSamples(std::mt19937_64& random, const DrawingStyle& style, int perClass) {
  std::vector<Sample> samples;
  for (int n = 0; n < perClass; ++n) {
    for (int c = 0; c < kSpellCount; ++c)
      for (int k = 0; k < kStrokesPerRound[c]; ++k) AddSample(samples, c, 0, style, random);
    for (int k = 0; k < kNegativesPerRound; ++k) AddSample(samples, kNegative, int(random() % kNegativeKinds), style, random);
  }
  return samples;
}

// Every round of training draws strokes never seen before, so that the net learns the generator's ways
// of drawing rather than its particular strokes.
void Train(LayeredNet& net, int perClass, int epochs, std::mt19937_64& random) {
  std::vector<double> target(kSpellCount);
  std::size_t strokes = 0;
  for (int epoch = 0; epoch < epochs; ++epoch) {
    std::vector<Sample> samples = MakeSamples(random, DrawingStyle(), perClass);
    strokes += samples.size();
    for (std::size_t i = samples.size() - 1; i > 0; --i) std::swap(samples[i], samples[random() % (i + 1)]);
    const double rate = 0.02 / (1 + epoch * 0.15);
    double loss = 0;
    for (const Sample& s : samples) {
      for (int o = 0; o < kSpellCount; ++o) target[o] = o == s.label ? kTarget : -kTarget;
      loss += net.Learn(s.grid, target, rate);
    }
    std::fprintf(stderr, "round %d loss %.4f\n", epoch, loss / samples.size());
  }
  std::fprintf(stderr, "%zu strokes\n", strokes);
}

// Held-out strokes drawn differently from training: other screens, rates and hands.
DrawingStyle HeldOutStyle() {
  DrawingStyle style;
  style.screenWidth = 1280;
  style.screenHeight = 720;
  style.wobble = 0.015;
  style.minSizesPerSecond = 0.5;
  style.maxSizesPerSecond = 9;
  return style;
}

// Answers per drawn class: columns 0-4 the spells, 5 refused (-1), 6 refused before the net (one row).
struct Tally {
  int counts[7] = {0};
  int total = 0;
  void Add(const SpellRecognizer& recogniser, const Vellgrove::PainterCanvas::Rows& rows) {
    ++total;
    if (rows.size() < 2) {
      ++counts[6];
      return;
    }
    const int answer = recogniser.Recognize(rows);
    ++counts[answer < 0 ? 5 : answer];
  }
  double Share(int column) const { return total ? 100.0 * counts[column] / total : 0; }
};

std::wstring Wide(const char* path) { return std::wstring(path, path + std::string(path).size()); }

const char* const kDrawnNames[] = {"wall", "bridge", "wind >", "wind <", "teleport", "no spell"};

// One row per drawn class, spells then the shapes that are no spell, with the answers it got.
void PrintConfusion(const Tally (&tallies)[kSpellCount + 1]) {
  std::printf("%-10s %6s %6s %6s %6s %6s %6s %6s  right\n", "drawn", "0", "1", "2", "3", "4", "-1", "1-row");
  int spellRight = 0, spellTotal = 0;
  for (int c = 0; c <= kSpellCount; ++c) {
    const int* k = tallies[c].counts;
    const double right = c < kSpellCount ? tallies[c].Share(c) : tallies[c].Share(5) + tallies[c].Share(6);
    std::printf("%-10s %6d %6d %6d %6d %6d %6d %6d  %.2f%%\n", kDrawnNames[c], k[0], k[1], k[2], k[3], k[4], k[5], k[6],
                right);
    if (c < kSpellCount) {
      spellRight += k[c];
      spellTotal += tallies[c].total;
    }
  }
  std::printf("spells overall %.2f%%, no spell accepted %.2f%%\n", spellTotal ? 100.0 * spellRight / spellTotal : 0,
              100.0 - tallies[kSpellCount].Share(5) - tallies[kSpellCount].Share(6));
}

int Evaluate(const char* path, unsigned long long seed, int perClass) {
  const SpellRecognizer recogniser(Wide(path));
  std::mt19937_64 random(seed);
  const DrawingStyle style = HeldOutStyle();
  Tally tallies[kSpellCount + 1], kinds[kNegativeKinds];
  for (int c = 0; c <= kSpellCount; ++c) {
    const int total = c < kSpellCount ? perClass : perClass * 2;
    for (int n = 0; n < total; ++n) {
      const int shape = c < kSpellCount ? c : kNegative;
      const auto rows = RowsOfStroke(DrawStroke(shape, n % kNegativeKinds, style, random));
      tallies[c].Add(recogniser, rows);
      if (shape == kNegative) kinds[n % kNegativeKinds].Add(recogniser, rows);
    }
  }
  PrintConfusion(tallies);
  std::printf("no spell accepted by kind:");
  for (const Tally& kind : kinds) std::printf(" %.0f%%", 100.0 - kind.Share(5) - kind.Share(6));
  std::printf("\n");
  return 0;
}

// One row of a sweep: strokes of one spell, all drawn with the same fixed measure.
void SweepRow(const SpellRecognizer& recogniser, unsigned long long seed, int perStep, int spell, double measure,
              double DrawingStyle::*fixed) {
  std::mt19937_64 random(seed);
  DrawingStyle style = HeldOutStyle();
  style.*fixed = measure;
  Tally tally;
  for (int n = 0; n < perStep; ++n) tally.Add(recogniser, RowsOfStroke(DrawStroke(spell, 0, style, random)));
  const double refused = tally.Share(5) + tally.Share(6);
  std::printf("%19.2f  %9.1f%%  %10.1f%%  %6.1f%%\n", measure, tally.Share(spell), 100.0 - tally.Share(spell) - refused,
              refused);
}

// Where recognition ends: walls by their lean, arches by their height as a share of their width.
int Sweep(const char* path, unsigned long long seed, int perStep) {
  const SpellRecognizer recogniser(Wide(path));
  std::printf("wall lean (degrees)  recognised  other spell  refused\n");
  for (double degrees : {0, 2, 4, 5, 6, 7, 8, 10, 12, 16, 20, 30})
    SweepRow(recogniser, seed, perStep, 0, degrees, &DrawingStyle::fixedLeanDegrees);
  std::printf("arch height/width    recognised  other spell  refused\n");
  for (double aspect : {1.0, 0.5, 0.3, 0.2, 0.15, 0.1, 0.07, 0.05, 0.03})
    SweepRow(recogniser, seed, perStep, 1, aspect, &DrawingStyle::fixedArchAspect);
  return 0;
}

struct RecordedStroke {
  int expected;
  int line;
  std::vector<Point> events;  // screen pixels
  std::vector<double> ms;
};

// Strokes recorded as mouse events: "screen W H" sets the screen; "stroke CLASS" starts a stroke that
// should be recognised as CLASS (-1 for one that must be refused); "X Y MS" is one event in screen
// pixels at its time. Returns false, having said where, on a line that is none of these.
bool ReadStrokes(const char* strokesPath, std::vector<RecordedStroke>& strokes, Point& screen) {
  std::FILE* file = std::fopen(strokesPath, "r");
  if (!file) {
    std::fprintf(stderr, "cannot read %s\n", strokesPath);
    return false;
  }
  screen = {1024, 768};
  char text[256];
  bool good = true;
  for (int line = 1; good && std::fgets(text, sizeof text, file); ++line) {
    double a = 0, b = 0, c = 0;
    int expected = 0;
    if (std::sscanf(text, "screen %lf %lf", &a, &b) == 2) {
      screen = {a, b};
    } else if (std::sscanf(text, "stroke %d", &expected) == 1) {
      strokes.push_back({expected, line, {}, {}});
    } else if (std::sscanf(text, "%lf %lf %lf", &a, &b, &c) == 3 && !strokes.empty()) {
      strokes.back().events.push_back({a, b});
      strokes.back().ms.push_back(c);
    } else if (text[0] != '#' && text[0] != '\n') {
      std::fprintf(stderr, "%s:%d: not a stroke line\n", strokesPath, line);
      good = false;
    }
  }
  std::fclose(file);
  return good;
}

// The stroke as the level reads it, once a frame at FPS, grown or shrunk by `scale` about the centre of
// its box; the pointer stays on the screen.
std::vector<Point> FramesOf(const RecordedStroke& stroke, Point screen, double fps, double scale) {
  std::vector<Point> frames;
  if (stroke.events.empty()) return frames;
  double minX = stroke.events[0].x, maxX = minX, minY = stroke.events[0].y, maxY = minY;
  for (const Point& p : stroke.events) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  const Point centre{(minX + maxX) / 2, (minY + maxY) / 2};
  std::size_t next = 0;
  for (double t = 0;; t += 1000.0 / fps) {
    while (next + 1 < stroke.events.size() && stroke.ms[next + 1] <= t) ++next;
    const Point p = stroke.events[next];
    const double x = std::clamp(std::round(centre.x + scale * (p.x - centre.x)), 0.0, screen.x - 1);
    const double y = std::clamp(std::round(centre.y + scale * (p.y - centre.y)), 0.0, screen.y - 1);
    frames.push_back({x / screen.x, y / screen.y});
    if (t > stroke.ms.back()) break;
  }
  return frames;
}

int Replay(const char* path, const char* strokesPath, double fps, double scale) {
  const SpellRecognizer recogniser(Wide(path));
  std::vector<RecordedStroke> strokes;
  Point screen{};
  if (!ReadStrokes(strokesPath, strokes, screen)) return 3;
  Tally tallies[kSpellCount + 1];
  int wrong = 0;
  for (const RecordedStroke& stroke : strokes) {
    if (stroke.expected < kNegative || stroke.expected >= kSpellCount) {
      std::fprintf(stderr, "%s:%d: no such class %d\n", strokesPath, stroke.line, stroke.expected);
      return 3;
    }
    const auto rows = RowsOfStroke(FramesOf(stroke, screen, fps, scale));
    Tally& tally = tallies[stroke.expected < 0 ? kSpellCount : stroke.expected];
    tally.Add(recogniser, rows);
    const int answer = rows.size() < 2 ? kNegative : recogniser.Recognize(rows);
    if (answer == stroke.expected) continue;
    ++wrong;
    std::printf("line %d: drawn %d, answer %d%s\n", stroke.line, stroke.expected, answer,
                rows.size() < 2 ? " (one row)" : "");
  }
  PrintConfusion(tallies);
  std::printf("%zu strokes, %d wrong\n", strokes.size(), wrong);
  return wrong == 0 ? 0 : 1;
}

// Generated strokes in the replay format, one frame per event at 60 frames a second, so that they can
// be plotted beside people's strokes and replayed as they are.
int Draw(int shapeClass, unsigned long long seed, int count) {
  std::mt19937_64 random(seed);
  const DrawingStyle style;
  std::printf("screen %d %d\n", style.screenWidth, style.screenHeight);
  for (int n = 0; n < count; ++n) {
    std::printf("stroke %d\n", shapeClass);
    const std::vector<Point> frames = DrawStroke(shapeClass, n % kNegativeKinds, style, random);
    for (std::size_t i = 0; i < frames.size(); ++i)
      std::printf("%.0f %.0f %.1f\n", frames[i].x * style.screenWidth, frames[i].y * style.screenHeight, i * 1000.0 / 60);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: nn_train train OUT.xml [SEED] [STROKES_PER_SPELL] [ROUNDS]\n"
                         "       nn_train evaluate NET.xml [SEED] [STROKES_PER_CLASS]\n"
                         "       nn_train sweep NET.xml [SEED] [STROKES_PER_STEP]\n"
                         "       nn_train replay NET.xml STROKES.txt [FPS] [SCALE]\n"
                         "       nn_train draw CLASS [SEED] [COUNT]\n");
    return 2;
  }
  const std::string mode = argv[1];
  const unsigned long long seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 20;
  if (mode == "evaluate") return Evaluate(argv[2], seed, argc > 4 ? std::atoi(argv[4]) : 300);
  if (mode == "draw") return Draw(std::atoi(argv[2]), seed, argc > 4 ? std::atoi(argv[4]) : 20);
  if (mode == "sweep") return Sweep(argv[2], seed, argc > 4 ? std::atoi(argv[4]) : 300);
  if (mode == "replay")
    return argc > 3 ? Replay(argv[2], argv[3], argc > 4 ? std::atof(argv[4]) : 60, argc > 5 ? std::atof(argv[5]) : 1) : 2;
  const int perClass = argc > 4 ? std::atoi(argv[4]) : 1500;
  const int epochs = argc > 5 ? std::atoi(argv[5]) : 12;
  const auto start = std::chrono::steady_clock::now();
  std::mt19937_64 random(seed);
  LayeredNet net(kLayerSizes);
  net.Initialise(random);
  Train(net, perClass, epochs, random);
  if (!net.Write(argv[2])) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  std::fprintf(stderr, "%.1f s\n",
               std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  return 0;
}
