// One frame of the running first level as the level mode makes it, with a 200-point stroke held:
// the stroke's point added, the level's update (its world ticks), the level drawn, the frame
// around it drawn and the stroke's sparkles drawn. Reports frames per second and each part's
// share; ends with a closing note.
#include "GameFont.h"
#include "GameSprites.h"
#include "HeadlessGame.h"
#include "Painter.h"
#include "VGFrame.h"
#include "VGFrameWalls.h"
#include "VGLevel.h"
#include "VGLevelPack.h"
#include "VGParticles.h"
#include "VGTool.h"

#include "Platform/TestHooks.h"

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>

using namespace Vellgrove;

namespace {

using Clock = std::chrono::steady_clock;

double Microseconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::micro>(to - from).count();
}

}  // namespace

int main() {
  if (chdir(KORVEX_DATA_DIR) != 0) return 1;
  LevelRunner::HeadlessGame game;
  const boost::shared_ptr<SCore::SViewport> viewport = game.GetViewport();
  Platform::Testing::SetFakeClock(100000);
  std::unique_ptr<VGFrame> frame(new VGFrame);
  const GameFontStyle style{0.026f, 0.022f, 0.025f, 0.048f, {255, 255, 157, 1}, 1.12f};
  frame->m_timeText = CreateGameFont(viewport, style, "00:00");
  frame->m_levelNameText = CreateGameFont(viewport, style, "1-1");
  frame->m_scoreText = CreateGameFont(viewport, style, "000000000");
  frame->m_lifeIcon = CreateGameSprites().LifeIcon;
  frame->m_lives = 5;
  VGParticles particles(CreateParticleSprite());
  Painter painter(viewport);
  g_LevelPack->Reset();
  const boost::shared_ptr<VGLevel> level = g_LevelPack->GetLevel();
  AddFrameWalls(*level);
  for (const auto& tool : level->GetTools()) frame->AddTool(ToolTypeToString(tool->GetToolType()));

  const int kFrames = 200;
  double parts[5] = {};
  const char* const names[] = {"stroke", "update", "level", "frame", "particles"};
  const auto start = Clock::now();
  for (int i = 0; i < kFrames; ++i) {
    const float t = float(i) / kFrames;
    const auto t0 = Clock::now();
    painter.Render(0.3f + 0.4f * t, 0.5f + 0.2f * std::sin(6.28f * t));
    const auto t1 = Clock::now();
    Platform::Testing::AdvanceFakeClock(16);
    level->Update(false);
    const auto t2 = Clock::now();
    Clock::time_point t3, t4, t5;
    game.Frame([&] {
      level->Render();
      t3 = Clock::now();
      frame->Render();
      t4 = Clock::now();
      StrokeRect rect{};
      const PainterCanvas::Rows rows = painter.GetStrokeBitmap(rect);
      particles.Render(rows, rect);
      t5 = Clock::now();
    });
    parts[0] += Microseconds(t0, t1);
    parts[1] += Microseconds(t1, t2);
    parts[2] += Microseconds(t2, t3);
    parts[3] += Microseconds(t3, t4);
    parts[4] += Microseconds(t4, t5);
  }
  const double total = Microseconds(start, Clock::now());
  std::printf("closing note: level01 with a %d-point stroke held: %.0f frames per second (%.2f ms a frame);", kFrames,
              kFrames * 1e6 / total, total / kFrames / 1000.0);
  for (int p = 0; p < 5; ++p) std::printf(" %s %.0f%%", names[p], 100.0 * parts[p] / total);
  std::printf(" (the rest: clearing and ending the scene)\n");
  return 0;
}
