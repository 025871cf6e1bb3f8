// Plays every sound effect of the game and then every music track, one after another, for a
// listener to judge by ear. Run it from anywhere; it plays what the build made in data/sounds.
//   listen-sounds [seconds of each track] [game folder]
#include "KorvexCoreException.h"
#include "VGGameSounds.h"
#include "VGMp3Player.h"
#include "VGSoundManager.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

void Wait(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

void PlayEffects(Vellgrove::VGSoundManager& sounds) {
  for (std::size_t i = 0; i < Vellgrove::g_GameSoundCount; ++i) {
    const char* name = Vellgrove::g_GameSounds[i].name;
    std::printf("effect %-10s %s\n", name, Vellgrove::g_GameSounds[i].file);
    std::fflush(stdout);
    sounds.PlaySound(name);
    while (sounds.IsPlaying(name)) Wait(20);
    Wait(400);
  }
  std::printf("effect Score, ten at once, 60 ms apart\n");
  for (int i = 0; i < 10; ++i, Wait(60)) sounds.PlaySound("Score");
  Wait(1500);
}

void PlayTracks(Vellgrove::VGMp3Player& music, int seconds) {
  for (std::size_t i = 0; i < Vellgrove::g_GameMusicCount; ++i) {
    std::printf("music  %s for %d s, then a fade\n", Vellgrove::g_GameMusic[i], seconds);
    std::fflush(stdout);
    music.Play(Vellgrove::g_GameMusic[i]);
    Wait(seconds * 1000);
    music.FadeOut();
    Wait(1000);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 8;
  const std::filesystem::path folder = argc > 2 ? argv[2] : KORVEX_SOURCE_DIR "/data";
  try {
    std::filesystem::current_path(folder);
    // As in the game, the one sound manager is released by its exit-time destructor.
    Vellgrove::g_SoundManager.reset(new Vellgrove::VGSoundManager(nullptr));
    Vellgrove::VGSoundManager& sounds = *Vellgrove::g_SoundManager;
    sounds.m_volume = 1.0f;
    for (std::size_t i = 0; i < Vellgrove::g_GameSoundCount; ++i) {
      const Vellgrove::VGGameSound& sound = Vellgrove::g_GameSounds[i];
      sounds.AddSound(sound.name, sound.file, sound.voices);
    }
    PlayEffects(sounds);
    Vellgrove::VGMp3Player music;
    music.m_volume = 1.0f;
    music.Start();
    PlayTracks(music, seconds > 0 ? seconds : 8);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
