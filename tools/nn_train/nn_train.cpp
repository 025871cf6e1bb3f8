// Trains the spell network on synthetic strokes drawn through the game's own canvas and grid code, or
// evaluates a network file on held-out strokes.
//   nn_train train OUT.xml [SEED] [SAMPLES_PER_CLASS] [EPOCHS]
//   nn_train evaluate NET.xml [SEED] [STROKES_PER_CLASS]
//   nn_train sweep NET.xml [SEED] [STROKES_PER_STEP]     accuracy against a wall's lean and an arch's flatness
//   nn_train replay NET.xml STROKES.txt [FPS]           strokes recorded as mouse events
#include "SpellRecognizer.h"
#include "StrokeSynth.h"

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
constexpr int kHidden = 24;
constexpr double kTarget = 0.9;

struct Sample {
  std::vector<double> grid;  // -1 or 1 per cell, as the input scale makes it
  int label;
};

// Every class but the negatives' share of the kinds: spells first, then the negatives one kind after another.
int ClassOf(int index) { return index < kSpellCount ? index : kNegative; }

std::vector<Sample> MakeSamples(std::mt19937_64& random, const DrawingStyle& style, int perClass) {
  std::vector<Sample> samples;
  for (int n = 0; n < perClass; ++n) {
    for (int c = 0; c < kSpellCount + kNegativeKinds; ++c) {
      // Each kind of negative at half a spell's count: all of them together weigh as much as four spells.
      if (c >= kSpellCount && n % 2 == 1) continue;
      const auto rows = RowsOfStroke(DrawStroke(ClassOf(c), c - kSpellCount, style, random));
      if (rows.size() < 2) continue;  // refused before the net anyway
      std::vector<double> grid = SpellRecognizer::StrokeGrid(rows);
      for (double& cell : grid) cell = 2 * cell - 1;
      samples.push_back({grid, ClassOf(c)});
    }
  }
  return samples;
}

struct Net {
  std::vector<double> w1, w2;  // input-major weights then biases, as the file holds them

  void Init(std::mt19937_64& random) {
    std::normal_distribution<double> normal(0, 1);
    w1.assign(kInputs * kHidden + kHidden, 0);
    w2.assign(kHidden * kSpellCount + kSpellCount, 0);
    for (int i = 0; i < kInputs * kHidden; ++i) w1[i] = normal(random) / std::sqrt(double(kInputs));
    for (int i = 0; i < kHidden * kSpellCount; ++i) w2[i] = normal(random) / std::sqrt(double(kHidden));
  }
};

void Train(Net& net, std::vector<Sample>& samples, int epochs, std::mt19937_64& random) {
  std::vector<double> hidden(kHidden), out(kSpellCount), dOut(kSpellCount), dHidden(kHidden);
  for (int epoch = 0; epoch < epochs; ++epoch) {
    const double rate = 0.02 / (1 + epoch * 0.15);
    for (std::size_t i = samples.size() - 1; i > 0; --i) std::swap(samples[i], samples[random() % (i + 1)]);
    double loss = 0;
    for (const Sample& s : samples) {
      for (int h = 0; h < kHidden; ++h) {
        double sum = net.w1[kInputs * kHidden + h];
        for (int i = 0; i < kInputs; ++i) sum += s.grid[i] * net.w1[i * kHidden + h];
        hidden[h] = std::tanh(sum);
      }
      for (int o = 0; o < kSpellCount; ++o) {
        double sum = net.w2[kHidden * kSpellCount + o];
        for (int h = 0; h < kHidden; ++h) sum += hidden[h] * net.w2[h * kSpellCount + o];
        out[o] = std::tanh(sum);
        const double target = o == s.label ? kTarget : -kTarget;
        loss += (out[o] - target) * (out[o] - target);
        dOut[o] = (out[o] - target) * (1 - out[o] * out[o]);
      }
      for (int h = 0; h < kHidden; ++h) {
        double sum = 0;
        for (int o = 0; o < kSpellCount; ++o) sum += dOut[o] * net.w2[h * kSpellCount + o];
        dHidden[h] = sum * (1 - hidden[h] * hidden[h]);
      }
      for (int o = 0; o < kSpellCount; ++o) {
        for (int h = 0; h < kHidden; ++h) net.w2[h * kSpellCount + o] -= rate * dOut[o] * hidden[h];
        net.w2[kHidden * kSpellCount + o] -= rate * dOut[o];
      }
      for (int h = 0; h < kHidden; ++h) {
        if (dHidden[h] == 0) continue;
        for (int i = 0; i < kInputs; ++i) net.w1[i * kHidden + h] -= rate * dHidden[h] * s.grid[i];
        net.w1[kInputs * kHidden + h] -= rate * dHidden[h];
      }
    }
    std::fprintf(stderr, "epoch %d loss %.4f\n", epoch, loss / samples.size());
  }
}

void WriteList(std::FILE* file, const std::vector<double>& values) {
  for (std::size_t i = 0; i < values.size(); ++i) std::fprintf(file, i ? ",%.17g" : "%.17g", values[i]);
}

// Alpha 2 and beta 1 make the activation tanh itself, the function trained here.
bool WriteNet(const Net& net, const char* path) {
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  std::fprintf(file, "<neuronet>\n<alpha>2</alpha>\n<beta>1</beta>\n<layers>\n<layer size=\"%d\"></layer>\n", kInputs);
  std::fprintf(file, "<layer size=\"%d\">", kHidden);
  WriteList(file, net.w1);
  std::fprintf(file, "</layer>\n<layer size=\"%d\">", kSpellCount);
  WriteList(file, net.w2);
  std::fprintf(file, "</layer>\n</layers>\n<input_scale>");
  for (int i = 0; i < kInputs; ++i) std::fprintf(file, i ? ",2,-1" : "2,-1");
  std::fprintf(file, "</input_scale>\n<output_scale>");
  for (int o = 0; o < kSpellCount; ++o) std::fprintf(file, o ? ",1,0" : "1,0");
  std::fprintf(file, "</output_scale>\n</neuronet>\n");
  return std::fclose(file) == 0;
}

// Held-out strokes drawn differently from training: other screens, rates and hands.
DrawingStyle HeldOutStyle() {
  DrawingStyle style;
  style.screenWidth = 1280;
  style.screenHeight = 720;
  style.tremorPixels = 2;
  style.minSeconds = 0.2;
  style.maxSeconds = 1.5;
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

int Evaluate(const char* path, unsigned long long seed, int perClass) {
  const SpellRecognizer recogniser(Wide(path));
  std::mt19937_64 random(seed);
  const DrawingStyle style = HeldOutStyle();
  const char* names[] = {"wall", "bridge", "wind >", "wind <", "teleport", "negative"};
  std::printf("%-10s %6s %6s %6s %6s %6s %6s %6s  accuracy\n", "drawn", "0", "1", "2", "3", "4", "-1", "1-row");
  int spellRight = 0, spellTotal = 0;
  for (int c = 0; c <= kSpellCount; ++c) {
    Tally tally;
    const int total = c < kSpellCount ? perClass : perClass * 2;
    for (int n = 0; n < total; ++n) {
      const int shape = c < kSpellCount ? c : kNegative;
      tally.Add(recogniser, RowsOfStroke(DrawStroke(shape, n % kNegativeKinds, style, random)));
    }
    const int column = c < kSpellCount ? c : 5;
    if (c < kSpellCount) {
      spellRight += tally.counts[column];
      spellTotal += total;
    }
    const int* k = tally.counts;
    std::printf("%-10s %6d %6d %6d %6d %6d %6d %6d  %.2f%%\n", names[c], k[0], k[1], k[2], k[3], k[4], k[5], k[6],
                tally.Share(column));
  }
  std::printf("spells overall %.2f%%\n", 100.0 * spellRight / spellTotal);
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

// Strokes recorded as mouse events: "screen W H" sets the screen; "stroke CLASS" starts a stroke that
// should be recognised as CLASS (-1 for one that must be refused); "X Y MS" is one event in screen
// pixels at its time. Each stroke is read once a frame at FPS, as the level reads the mouse.
int Replay(const char* path, const char* strokesPath, double fps) {
  const SpellRecognizer recogniser(Wide(path));
  std::FILE* file = std::fopen(strokesPath, "r");
  if (!file) {
    std::fprintf(stderr, "cannot read %s\n", strokesPath);
    return 3;
  }
  struct Event {
    double x, y, ms;
  };
  struct Recorded {
    int expected;
    int line;
    std::vector<Event> events;
  };
  std::vector<Recorded> strokes;
  double width = 1024, height = 768;
  char text[256];
  for (int line = 1; std::fgets(text, sizeof text, file); ++line) {
    double a = 0, b = 0, c = 0;
    int expected = 0;
    if (std::sscanf(text, "screen %lf %lf", &a, &b) == 2) {
      width = a;
      height = b;
    } else if (std::sscanf(text, "stroke %d", &expected) == 1) {
      strokes.push_back({expected, line, {}});
    } else if (std::sscanf(text, "%lf %lf %lf", &a, &b, &c) == 3 && !strokes.empty()) {
      strokes.back().events.push_back({a / width, b / height, c});
    } else if (text[0] != '#' && text[0] != '\n') {
      std::fprintf(stderr, "%s:%d: not a stroke line\n", strokesPath, line);
      std::fclose(file);
      return 3;
    }
  }
  std::fclose(file);
  int wrong = 0;
  for (const Recorded& stroke : strokes) {
    std::vector<Point> frames;
    std::size_t next = 0;
    const double last = stroke.events.empty() ? 0 : stroke.events.back().ms;
    for (double t = 0;; t += 1000.0 / fps) {
      while (next + 1 < stroke.events.size() && stroke.events[next + 1].ms <= t) ++next;
      if (!stroke.events.empty()) frames.push_back({stroke.events[next].x, stroke.events[next].y});
      if (t > last) break;
    }
    const auto rows = RowsOfStroke(frames);
    const int answer = rows.size() < 2 ? -2 : recogniser.Recognize(rows);
    std::printf("line %d: drawn %d, answer %s\n", stroke.line, stroke.expected,
                answer == -2 ? "refused (one row)" : std::to_string(answer).c_str());
    wrong += answer != stroke.expected;
  }
  std::printf("%zu strokes, %d wrong\n", strokes.size(), wrong);
  return wrong == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: nn_train train OUT.xml [SEED] [SAMPLES_PER_CLASS] [EPOCHS]\n"
                         "       nn_train evaluate NET.xml [SEED] [STROKES_PER_CLASS]\n"
                         "       nn_train sweep NET.xml [SEED] [STROKES_PER_STEP]\n"
                         "       nn_train replay NET.xml STROKES.txt [FPS]\n");
    return 2;
  }
  const std::string mode = argv[1];
  const unsigned long long seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 20;
  if (mode == "evaluate") return Evaluate(argv[2], seed, argc > 4 ? std::atoi(argv[4]) : 300);
  if (mode == "sweep") return Sweep(argv[2], seed, argc > 4 ? std::atoi(argv[4]) : 300);
  if (mode == "replay") return argc > 3 ? Replay(argv[2], argv[3], argc > 4 ? std::atof(argv[4]) : 60) : 2;
  const int perClass = argc > 4 ? std::atoi(argv[4]) : 1500;
  const int epochs = argc > 5 ? std::atoi(argv[5]) : 12;
  const auto start = std::chrono::steady_clock::now();
  std::mt19937_64 random(seed);
  std::vector<Sample> samples = MakeSamples(random, DrawingStyle(), perClass);
  Net net;
  net.Init(random);
  Train(net, samples, epochs, random);
  if (!WriteNet(net, argv[2])) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  std::fprintf(stderr, "%zu strokes, %.1f s\n", samples.size(),
               std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  return 0;
}
