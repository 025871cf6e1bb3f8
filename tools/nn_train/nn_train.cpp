// Trains the spell network on synthetic strokes drawn through the game's own canvas and grid code, or
// evaluates a network file on held-out strokes.
//   nn_train train OUT.xml [SEED] [SAMPLES_PER_CLASS] [EPOCHS]
//   nn_train evaluate NET.xml [SEED] [STROKES_PER_CLASS]
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
      if (c >= kSpellCount && n % 2 == 1) continue;  // the negatives together weigh about as much as two spells... times four
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

int Evaluate(const char* path, unsigned long long seed, int perClass) {
  const SpellRecognizer recogniser(std::wstring(path, path + std::string(path).size()));
  std::mt19937_64 random(seed);
  // Held-out strokes drawn differently from training: other screens, rates and hands.
  DrawingStyle style;
  style.screenWidth = 1280;
  style.screenHeight = 720;
  style.tremorPixels = 2;
  style.minSeconds = 0.2;
  style.maxSeconds = 1.5;
  const char* names[] = {"wall", "bridge", "wind >", "wind <", "teleport", "negative"};
  std::printf("%-10s %6s %6s %6s %6s %6s %6s %6s  accuracy\n", "drawn", "0", "1", "2", "3", "4", "-1", "1-row");
  int spellRight = 0, spellTotal = 0;
  for (int c = 0; c <= kSpellCount; ++c) {
    int counts[7] = {0};
    const int total = c < kSpellCount ? perClass : perClass * 2;
    for (int n = 0; n < total; ++n) {
      const int shape = c < kSpellCount ? c : kNegative;
      const auto rows = RowsOfStroke(DrawStroke(shape, n % kNegativeKinds, style, random));
      if (rows.size() < 2) {
        ++counts[6];
        continue;
      }
      const int answer = recogniser.Recognize(rows);
      ++counts[answer < 0 ? 5 : answer];
    }
    const int right = c < kSpellCount ? counts[c] : counts[5];
    if (c < kSpellCount) {
      spellRight += right;
      spellTotal += total;
    }
    std::printf("%-10s %6d %6d %6d %6d %6d %6d %6d  %.2f%%\n", names[c], counts[0], counts[1], counts[2], counts[3],
                counts[4], counts[5], counts[6], 100.0 * right / total);
  }
  std::printf("spells overall %.2f%%\n", 100.0 * spellRight / spellTotal);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: nn_train train OUT.xml [SEED] [SAMPLES_PER_CLASS] [EPOCHS]\n"
                         "       nn_train evaluate NET.xml [SEED] [STROKES_PER_CLASS]\n");
    return 2;
  }
  const std::string mode = argv[1];
  const unsigned long long seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 20;
  if (mode == "evaluate") return Evaluate(argv[2], seed, argc > 4 ? std::atoi(argv[4]) : 300);
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
