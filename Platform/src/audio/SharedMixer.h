// The one SDL2_mixer output that every DirectSound buffer and DirectShow graph of the process
// plays through. It opens on first use and closes when its last user goes.
#pragma once

#include <SDL_mixer.h>

#include <atomic>
#include <cstddef>
#include <mutex>
#include <vector>

namespace Platform {
namespace Audio {

// Holds the shared mixer open for its lifetime (a device object, a primary buffer).
class MixerUse {
 public:
  MixerUse();
  ~MixerUse();
  MixerUse(const MixerUse&) = delete;
  MixerUse& operator=(const MixerUse&) = delete;
};

// Converts a level in hundredths of a decibel (-10000 to 0) to a linear gain: -10000 is silence.
float GainOfLevel(long hundredthsOfDecibel);

// One channel of the shared mixer with the sound it plays. The gain is applied to the samples in
// floating point, since the mixer's own 0 to 128 volume silences everything below about -42 dB.
class MixerVoice {
 public:
  MixerVoice();
  ~MixerVoice();
  MixerVoice(const MixerVoice&) = delete;
  MixerVoice& operator=(const MixerVoice&) = delete;

  // PCM of the given shape (8-bit unsigned or 16-bit signed little-endian) in place of the sound.
  bool SetPcm(const void* bytes, std::size_t size, int rate, int channels, int bits);
  // A sound decoded from a file by the mixer (any format it reads); false when it reads none.
  bool LoadFile(const char* nativePath);

  // Plays once from the given frame to the end; then the voice stops by itself.
  void Play(std::size_t fromFrame);
  void Halt();
  bool IsPlaying() const;
  void SetGain(float gain) { m_gain = gain; }

  std::size_t Frames() const;
  static int FramesPerSecond();

 private:
  static void ApplyGain(int channel, void* stream, int length, void* voice);
  void FreeSound();

  MixerUse m_use;
  // Calls may come from several threads, as on the original platform.
  mutable std::recursive_mutex m_mutex;
  int m_channel;
  std::atomic<float> m_gain{1.0f};
  std::vector<Uint8> m_converted;
  Mix_Chunk* m_decoded = nullptr;
  Mix_Chunk m_playing{};
};

}  // namespace Audio
}  // namespace Platform
