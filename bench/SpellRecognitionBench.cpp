// One recognition as the level does it when the button is released: the canvas's rectangle scan,
// the copy of the stroke's rows, the 20 by 20 grid and the network; for a typical stroke (a loop a
// fifth of the screen wide) and for one that fills the whole 256 by 256 canvas. Target: under 1 ms.
#include "PainterCanvas.h"
#include "SpellRecognizer.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

namespace {

const std::string kNetPath = std::string(KORVEX_DATA_DIR) + "/Res/nn.xml";

const SpellRecognizer& Recogniser() {
  static const SpellRecognizer recogniser(std::wstring(kNetPath.begin(), kNetPath.end()));
  return recogniser;
}

// A closed loop of the given radius (canvas fractions) drawn at sixty points.
void DrawLoop(Vellgrove::PainterCanvas& canvas, float radius) {
  for (int i = 0; i <= 60; ++i) {
    const double angle = 2 * 3.14159265358979 * i / 60;
    canvas.Render(float(0.5 + radius * std::cos(angle)), float(0.5 + radius * std::sin(angle)));
  }
}

void Recognise(benchmark::State& state, float radius) {
  Vellgrove::PainterCanvas canvas;
  DrawLoop(canvas, radius);
  int answer = -1;
  for (auto _ : state) {
    const Vellgrove::StrokeRect rect = canvas.EffectiveRectangle();
    answer = Recogniser().Recognize(canvas.StrokeRows(rect));
    benchmark::DoNotOptimize(answer);
  }
  state.SetLabel("answer " + std::to_string(answer));
}

void TypicalStroke(benchmark::State& state) { Recognise(state, 0.1f); }
void FullCanvas(benchmark::State& state) { Recognise(state, 0.5f); }

BENCHMARK(TypicalStroke)->Unit(benchmark::kMicrosecond);
BENCHMARK(FullCanvas)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
