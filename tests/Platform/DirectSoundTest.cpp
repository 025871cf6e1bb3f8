// The DirectSound stand-in: levels in hundredths of a decibel as gains, the volume's range, a
// buffer that plays once and stops by itself, and the shared mixer that lives as long as its users.
#include "TempFolder.h"
#include "WaitUntil.h"
#include "WaveBytes.h"
#include "audio/SharedMixer.h"

#include "Platform/DSound8.h"
#include "Platform/SoundTestHooks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

TEST(DirectSound, LevelsBecomeGainsAsDecibels) {
  const struct {
    long level;
    float gain;
  } table[] = {{0, 1.0f}, {-600, 0.50119f}, {-2000, 0.1f}, {-4200, 0.0079433f}, {-6000, 0.001f},
               {-9999, 1.0011e-5f}, {-10000, 0.0f}};
  for (const auto& row : table) {
    SCOPED_TRACE(row.level);
    EXPECT_NEAR(Platform::Audio::GainOfLevel(row.level), row.gain, row.gain * 1e-4f);
  }
}

struct Buffer {
  IDirectSound8* device = nullptr;
  IDirectSoundBuffer* buffer = nullptr;

  explicit Buffer(const std::string& samples) {
    EXPECT_EQ(DirectSoundCreate8(nullptr, &device, nullptr), DS_OK);
    device->SetCooperativeLevel(nullptr, DSSCL_PRIORITY);
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
    DSBUFFERDESC description{sizeof(DSBUFFERDESC), DSBCAPS_CTRLVOLUME, static_cast<DWORD>(samples.size()), 0,
                             &format, GUID_NULL};
    EXPECT_EQ(device->CreateSoundBuffer(&description, &buffer, nullptr), DS_OK);
    void* bytes;
    DWORD size;
    buffer->Lock(0, description.dwBufferBytes, &bytes, &size, nullptr, nullptr, 0);
    std::memcpy(bytes, samples.data(), size);
    buffer->Unlock(bytes, size, nullptr, 0);
  }
  ~Buffer() { device->Release(); }
  LONG Volume() {
    LONG volume = 1;
    buffer->GetVolume(&volume);
    return volume;
  }
};

TEST(DirectSound, VolumeOutsideItsRangeIsRefusedAndKept) {
  Buffer voice(std::string(400, '\0'));
  EXPECT_EQ(voice.Volume(), 0);
  const struct {
    LONG asked;
    HRESULT result;
    LONG kept;
  } table[] = {{-5000, DS_OK, -5000}, {1, DSERR_INVALIDPARAM, -5000},   {990000, DSERR_INVALIDPARAM, -5000},
               {-10000, DS_OK, -10000}, {-10001, DSERR_INVALIDPARAM, -10000}, {0, DS_OK, 0}};
  for (const auto& row : table) {
    SCOPED_TRACE(row.asked);
    EXPECT_EQ(voice.buffer->SetVolume(row.asked), row.result);
    EXPECT_EQ(voice.Volume(), row.kept);
  }
}

TEST(DirectSound, ABufferPlaysOnceAndStopsByItself) {
  Buffer voice(std::string(22050 / 10 * 2, '\0'));  // 100 ms
  DWORD status = 9;
  voice.buffer->GetStatus(&status);
  EXPECT_EQ(status, 0u);
  EXPECT_EQ(voice.buffer->Play(0, 0, DSBPLAY_LOOPING), DSERR_INVALIDPARAM);
  voice.buffer->SetCurrentPosition(0);
  EXPECT_EQ(voice.buffer->Play(0, 0, 0), DS_OK);
  voice.buffer->GetStatus(&status);
  EXPECT_EQ(status, static_cast<DWORD>(DSBSTATUS_PLAYING));
  EXPECT_TRUE(TestSupport::WaitUntil([&] {
    voice.buffer->GetStatus(&status);
    return status == 0;
  }));
}

TEST(DirectSound, TheMixerStaysOpenUntilItsLastUserGoes) {
  {
    Buffer first(std::string(100, '\0'));
    {
      Buffer second(std::string(100, '\0'));
      EXPECT_EQ(Platform::Testing::OpenSoundChannels(), 2);
    }
    EXPECT_EQ(Platform::Testing::OpenSoundChannels(), 1);
    EXPECT_TRUE(Platform::Testing::IsMixerOpen());
  }
  EXPECT_FALSE(Platform::Testing::IsMixerOpen());
}

TEST(DirectSound, BuffersTakeOnlyPlayablePcm) {
  IDirectSound8* device = nullptr;
  DirectSoundCreate8(nullptr, &device, nullptr);
  const struct {
    const char* what;
    WAVEFORMATEX format;
    DWORD bytes;
    HRESULT result;
  } table[] = {
      {"8-bit stereo", {WAVE_FORMAT_PCM, 2, 11025, 22050, 2, 8, 0}, 100, DS_OK},
      {"no bytes", {WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0}, 0, DSERR_INVALIDPARAM},
      {"compressed", {2, 1, 22050, 11100, 256, 4, 32}, 100, DSERR_BADFORMAT},
      {"24-bit", {WAVE_FORMAT_PCM, 1, 22050, 66150, 3, 24, 0}, 99, DSERR_BADFORMAT},
      {"block size that does not fit", {WAVE_FORMAT_PCM, 2, 22050, 44100, 2, 16, 0}, 100, DSERR_BADFORMAT},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.what);
    WAVEFORMATEX format = row.format;
    DSBUFFERDESC description{sizeof(DSBUFFERDESC), 0xE0, row.bytes, 0, &format, GUID_NULL};
    IDirectSoundBuffer* buffer = nullptr;
    EXPECT_EQ(device->CreateSoundBuffer(&description, &buffer, nullptr), row.result);
    EXPECT_EQ(buffer != nullptr, row.result == DS_OK);
  }
  device->Release();
}

}  // namespace

namespace {

// What a buffer of constant samples at the given level leaves in SDL's disk output: the largest
// sample written.
int LoudestSampleAtLevel(LONG level, const std::string& outputFile) {
  std::string samples;
  for (int i = 0; i < 22050 / 5; ++i) samples += TestSupport::Le16(20000);
  {
    Buffer voice(samples);
    voice.buffer->SetVolume(level);
    voice.buffer->Play(0, 0, 0);
    DWORD status = DSBSTATUS_PLAYING;
    EXPECT_TRUE(TestSupport::WaitUntil([&] {
      voice.buffer->GetStatus(&status);
      return status == 0;
    }));
  }
  const std::string written = TestSupport::ReadBytes(outputFile);
  int loudest = 0;
  for (std::size_t i = 0; i + 1 < written.size(); i += 2) {
    const auto sample = static_cast<std::int16_t>(static_cast<unsigned char>(written[i]) |
                                                  (static_cast<unsigned char>(written[i + 1]) << 8));
    loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
  }
  return loudest;
}

TEST(DirectSound, TheGainReachesTheOutputEvenFarBelowTheMixersOwnSteps) {
  TestSupport::TempFolder folder;
  TestSupport::ScopedEnvironment driver("SDL_AUDIODRIVER", "disk");
  TestSupport::ScopedEnvironment file("SDL_DISKAUDIOFILE", (folder / "out.raw").c_str());
  TestSupport::ScopedEnvironment delay("SDL_DISKAUDIODELAY", "1");
  const struct {
    LONG level;
    int loudest;
  } table[] = {{0, 20000}, {-2000, 2000}, {-6000, 20}, {-10000, 0}};
  for (const auto& row : table) {
    SCOPED_TRACE(row.level);
    const int loudest = LoudestSampleAtLevel(row.level, folder / "out.raw");
    EXPECT_NEAR(loudest, row.loudest, row.loudest * 0.15 + 1);
  }
}

}  // namespace
