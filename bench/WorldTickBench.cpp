// One world tick of a level of 100 scripted objects (75 static blocks in three rows, 25 characters
// and monsters walking on them), with the game's own scripts, or with --stub a module whose every
// method returns at once; and the native part of the same tick alone (the steps and the 2,175 box
// tests, no script). Run it both ways: shipped minus stub is the scripts' own work, stub minus
// native what the bridge costs. Ends with a closing note.
//
//   WorldTickBench [--stub] [benchmark options]
#include "HeadlessGame.h"
#include "VGCollider.h"
#include "VGFrameWalls.h"
#include "VGPYFactory.h"
#include "VGPYGameObject.h"
#include "VGPythonLock.h"
#include "VGTile.h"
#include "VGWorld.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace Vellgrove;

namespace {

const int kStatic = 75;
const int kDynamic = 25;
const float kTick = 0.01f;
const char* const kWalkers[] = {"Tovemmar", "Gribbanoddle", "Weskaroon", "Monster"};

std::unique_ptr<VGWorld> g_world;

boost::shared_ptr<VGPYGameObject> Place(const char* name, float x, float y, float halfX, float halfY) {
  const boost::shared_ptr<VGPYGameObject> object = VGPYFactory::Create(name);
  object->Enable();
  object->SetPosition({x, y, 0.0f});
  if (halfX > 0.0f) object->SetHalfSize({halfX, halfY, 0.0f});
  g_world->AddGameObject(object);
  return object;
}

void BuildWorld() {
  g_world.reset(new VGWorld);
  const float rows[] = {0.3f, 0.55f, 0.8f};
  for (int i = 0; i < kStatic; ++i) Place("Ground", (i % 25) * 0.08f, rows[i / 25], 0.04f, 0.02f);
  for (int i = 0; i < kDynamic; ++i) Place(kWalkers[i % 4], 0.05f + i * 0.075f, rows[i % 3] - 0.11f, 0.0f, 0.0f);
  for (int settle = 0; settle < 100; ++settle) g_world->Update(kTick);
}

void WorldTick(benchmark::State& state) {
  const unsigned long takenBefore = VGPythonLock::Taken();
  for (auto _ : state) g_world->Update(kTick);
  state.counters["interpreter calls per tick"] =
      double(VGPythonLock::Taken() - takenBefore) / double(state.iterations());
}
BENCHMARK(WorldTick)->Unit(benchmark::kMicrosecond);

// The same tick without scripts: every tile stepped and boxed, every pair the world tests tested.
void NativeTick(benchmark::State& state) {
  std::vector<VGTile> tiles(kStatic + kDynamic);
  for (size_t i = 0; i < tiles.size(); ++i) {
    tiles[i].Geometry = CreateGeometry(0);
    tiles[i].Body.reset(new VGBody);
    tiles[i].Body->Position = {float(i % 25) * 0.08f, 0.3f + 0.25f * float(i / 25 % 3), 0.0f};
    tiles[i].HalfSize = {0.04f, 0.02f, 0.0f};
  }
  VGCollider collider;
  float depths = 0.0f;
  for (auto _ : state) {
    for (VGTile& tile : tiles) tile.Update(kTick);
    for (int s = 0; s < kStatic; ++s) {
      for (int d = kStatic; d < kStatic + kDynamic; ++d) {
        VGContact contact;
        collider.Collide(tiles[d], contact, tiles[s]);
        depths += contact.Depth;
      }
    }
    for (int a = kStatic; a < kStatic + kDynamic; ++a) {
      for (int b = a + 1; b < kStatic + kDynamic; ++b) {
        VGContact contact;
        collider.Collide(tiles[a], contact, tiles[b]);
        depths += contact.Depth;
      }
    }
    benchmark::DoNotOptimize(depths);
  }
}
BENCHMARK(NativeTick)->Unit(benchmark::kMicrosecond);

double MicrosecondsPerTick(int ticks) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < ticks; ++i) g_world->Update(kTick);
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / ticks;
}

// The game's data folder with the stub module in place of the game's scripts.
std::string StubFolder() {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "world-tick-bench-stub";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  for (const auto& entry : std::filesystem::directory_iterator(KORVEX_DATA_DIR)) {
    if (entry.path().filename() == "scripts") continue;
    std::filesystem::create_symlink(entry.path(), folder / entry.path().filename());
  }
  std::filesystem::create_directory_symlink(KORVEX_STUB_SCRIPTS_DIR, folder / "scripts");
  return folder.string();
}

}  // namespace

int main(int argc, char** argv) {
  const bool stub = argc > 1 && std::strcmp(argv[1], "--stub") == 0;
  if (stub) {
    argv[1] = argv[0];
    ++argv;
    --argc;
  }
  if (chdir(stub ? StubFolder().c_str() : KORVEX_DATA_DIR) != 0) return 1;
  LevelRunner::HeadlessGame game;
  BuildWorld();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  const unsigned long takenBefore = VGPythonLock::Taken();
  const double perTick = MicrosecondsPerTick(1000);
  std::printf("closing note: %s scripts, one world tick of %d objects (%d dynamic) %.1f us, %.0f interpreter calls "
              "per tick\n",
              stub ? "stub" : "shipped", kStatic + kDynamic, kDynamic, perTick,
              double(VGPythonLock::Taken() - takenBefore) / 1000.0);
  g_world.reset();
  return 0;
}
