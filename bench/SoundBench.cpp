// What the game's sound and music calls cost on the caller's thread while 32 voices and a music
// track play through the shared mixer: the median and the worst of many calls of each kind.
#include "VGGameSounds.h"
#include "VGMp3Player.h"
#include "VGSoundManager.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Le(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

// A 16-bit mono tone at 22050 Hz.
void WriteTone(const fs::path& file, unsigned milliseconds, double frequency) {
  std::string samples;
  const unsigned frames = 22050u * milliseconds / 1000u;
  for (unsigned i = 0; i < frames; ++i) {
    const double value = 6000.0 * std::sin(2.0 * 3.14159265358979 * frequency * i / 22050.0);
    samples += Le(static_cast<std::uint32_t>(static_cast<std::int16_t>(value)) & 0xFFFF, 2);
  }
  const std::string format = Le(1, 2) + Le(1, 2) + Le(22050, 4) + Le(44100, 4) + Le(2, 2) + Le(16, 2);
  const std::string body = "WAVE" + std::string("fmt ") + Le(16, 4) + format + "data" + Le(samples.size(), 4) + samples;
  std::ofstream(file, std::ios::binary) << "RIFF" << Le(body.size(), 4) << body;
}

// Every game sound registered from tones in a folder of its own, every voice sounding, and the
// music thread playing a long track.
struct PlayingScene {
  fs::path folder = fs::temp_directory_path() / "korvex-sound-bench";
  Vellgrove::VGSoundManager sounds{nullptr};
  Vellgrove::VGMp3Player music;

  PlayingScene() {
    fs::create_directories(folder);
    for (std::size_t i = 0; i < Vellgrove::g_GameSoundCount; ++i) {
      const fs::path file = folder / (std::string(Vellgrove::g_GameSounds[i].name) + ".wav");
      WriteTone(file, 3000, 220.0 + 20.0 * i);
      sounds.AddSound(Vellgrove::g_GameSounds[i].name, file.string(), Vellgrove::g_GameSounds[i].voices);
    }
    const fs::path track = folder / "track.wav";
    WriteTone(track, 20000, 110.0);
    sounds.m_volume = 0.5f;
    music.m_volume = 0.5f;
    music.Start();
    music.Play(track.string());
    // Long enough for the music thread to decode the track and run it.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    KeepEveryVoiceSounding();
  }
  ~PlayingScene() { fs::remove_all(folder); }

  void KeepEveryVoiceSounding() {
    for (std::size_t i = 0; i < Vellgrove::g_GameSoundCount; ++i) {
      for (DWORD voice = 0; voice < Vellgrove::g_GameSounds[i].voices; ++voice) {
        sounds.PlaySound(Vellgrove::g_GameSounds[i].name);
      }
    }
  }
};

PlayingScene& Scene() {
  static std::unique_ptr<PlayingScene> scene(new PlayingScene);
  return *scene;
}

void TimeCalls(benchmark::State& state, const std::function<void(PlayingScene&)>& call) {
  PlayingScene& scene = Scene();
  std::vector<double> micros;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    call(scene);
    micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    if (micros.size() % 64 == 0) {
      state.PauseTiming();
      scene.KeepEveryVoiceSounding();
      state.ResumeTiming();
    }
  }
  std::sort(micros.begin(), micros.end());
  state.counters["median_us"] = micros[micros.size() / 2];
  state.counters["worst_us"] = micros.back();
}

void PlaySoundAllBusy(benchmark::State& state) {
  TimeCalls(state, [](PlayingScene& scene) { scene.sounds.PlaySound("Score"); });
}
void StopAndPlaySound(benchmark::State& state) {
  TimeCalls(state, [](PlayingScene& scene) {
    scene.sounds.StopSound("Click");
    scene.sounds.PlaySound("Click");
  });
}
void IsPlaying(benchmark::State& state) {
  TimeCalls(state, [](PlayingScene& scene) { benchmark::DoNotOptimize(scene.sounds.IsPlaying("Score")); });
}
void MusicVolume(benchmark::State& state) {
  TimeCalls(state, [](PlayingScene& scene) { scene.music.m_volume = scene.music.m_volume == 0.5f ? 0.6f : 0.5f; });
}
void StopAndResumeMusic(benchmark::State& state) {
  TimeCalls(state, [](PlayingScene& scene) {
    scene.music.StopImmediately();
    scene.music.Resume();
  });
}

}  // namespace

BENCHMARK(PlaySoundAllBusy)->Iterations(5000);
BENCHMARK(StopAndPlaySound)->Iterations(5000);
BENCHMARK(IsPlaying)->Iterations(5000);
BENCHMARK(MusicVolume)->Iterations(5000);
BENCHMARK(StopAndResumeMusic)->Iterations(5000);

BENCHMARK_MAIN();
