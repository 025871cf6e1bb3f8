#include "SharedMixer.h"

#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "Platform/SoundTestHooks.h"

namespace {

const int kMixerRate = 44100;
const Uint16 kMixerFormat = AUDIO_S16SYS;
const int kMixerChannels = 2;
const int kMixerBytesPerFrame = 4;
const int kMixerChunkFrames = 1024;

// Never destroyed: the game's sound manager releases its voices from an exit-time destructor,
// in an order with other globals that no one chooses.
struct MixerState {
  std::mutex mutex;
  int users = 0;
  std::vector<bool> channelTaken;
};
MixerState& State() {
  static MixerState* const state = new MixerState;
  return *state;
}

bool OpenDevice() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudio(kMixerRate, kMixerFormat, kMixerChannels, kMixerChunkFrames) == 0) return true;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return false;
}

// Without a sound device (a server, CI) the dummy driver keeps time, so that sounds still start
// and end and the game runs silently.
void OpenMixer() {
  if (OpenDevice()) return;
  std::fprintf(stderr, "audio: no sound device (%s); sounds play silently on the dummy driver\n", SDL_GetError());
  SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
  if (!OpenDevice()) std::fprintf(stderr, "audio: the dummy driver failed too (%s)\n", SDL_GetError());
}

void CloseMixer() {
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  State().channelTaken.clear();
}

int TakeChannel() {
  std::lock_guard<std::mutex> lock(State().mutex);
  for (std::size_t i = 0; i < State().channelTaken.size(); ++i) {
    if (!State().channelTaken[i]) {
      State().channelTaken[i] = true;
      return static_cast<int>(i);
    }
  }
  State().channelTaken.push_back(true);
  Mix_AllocateChannels(static_cast<int>(State().channelTaken.size()));
  return static_cast<int>(State().channelTaken.size() - 1);
}

void GiveBackChannel(int channel) {
  std::lock_guard<std::mutex> lock(State().mutex);
  if (channel >= 0 && static_cast<std::size_t>(channel) < State().channelTaken.size()) State().channelTaken[channel] = false;
}

}  // namespace

namespace Platform {
namespace Audio {

MixerUse::MixerUse() {
  std::lock_guard<std::mutex> lock(State().mutex);
  if (State().users++ == 0) OpenMixer();
}

MixerUse::~MixerUse() {
  std::lock_guard<std::mutex> lock(State().mutex);
  if (--State().users == 0) CloseMixer();
}

float GainOfLevel(long hundredthsOfDecibel) {
  if (hundredthsOfDecibel <= -10000) return 0.0f;
  return static_cast<float>(std::pow(10.0, hundredthsOfDecibel / 2000.0));
}

MixerVoice::MixerVoice() : m_channel(TakeChannel()) {}

MixerVoice::~MixerVoice() {
  FreeSound();
  GiveBackChannel(m_channel);
}

void MixerVoice::FreeSound() {
  std::lock_guard<std::recursive_mutex> hold(m_mutex);
  Halt();
  if (m_decoded != nullptr) Mix_FreeChunk(m_decoded);
  m_decoded = nullptr;
  m_converted.clear();
  m_playing = Mix_Chunk{};
}

bool MixerVoice::SetPcm(const void* bytes, std::size_t size, int rate, int channels, int bits) {
  std::lock_guard<std::recursive_mutex> hold(m_mutex);
  FreeSound();
  const SDL_AudioFormat format = bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
  SDL_AudioCVT conversion;
  if (SDL_BuildAudioCVT(&conversion, format, static_cast<Uint8>(channels), rate, kMixerFormat, kMixerChannels,
                        kMixerRate) < 0) {
    return false;
  }
  const std::size_t whole = size - size % static_cast<std::size_t>(channels * bits / 8);
  m_converted.assign(whole * static_cast<std::size_t>(conversion.len_mult), 0);
  std::memcpy(m_converted.data(), bytes, whole);
  conversion.buf = m_converted.data();
  conversion.len = static_cast<int>(whole);
  if (conversion.needed && SDL_ConvertAudio(&conversion) != 0) return false;
  m_converted.resize(static_cast<std::size_t>(conversion.needed ? conversion.len_cvt : conversion.len));
  return true;
}

bool MixerVoice::LoadFile(const char* nativePath) {
  std::lock_guard<std::recursive_mutex> hold(m_mutex);
  FreeSound();
  m_decoded = Mix_LoadWAV(nativePath);
  return m_decoded != nullptr;
}

std::size_t MixerVoice::Frames() const {
  std::lock_guard<std::recursive_mutex> hold(m_mutex);
  const std::size_t bytes = m_decoded != nullptr ? m_decoded->alen : m_converted.size();
  return bytes / kMixerBytesPerFrame;
}

int MixerVoice::FramesPerSecond() { return kMixerRate; }

void MixerVoice::Play(std::size_t fromFrame) {
  std::lock_guard<std::recursive_mutex> hold(m_mutex);
  Halt();
  Uint8* samples = m_decoded != nullptr ? m_decoded->abuf : m_converted.data();
  const std::size_t frames = Frames();
  if (samples == nullptr || fromFrame >= frames) return;
  m_playing.allocated = 0;
  m_playing.abuf = samples + fromFrame * kMixerBytesPerFrame;
  m_playing.alen = static_cast<Uint32>((frames - fromFrame) * kMixerBytesPerFrame);
  m_playing.volume = MIX_MAX_VOLUME;
  // The mixer drops a channel's effects whenever the channel stops, so the gain goes on again with
  // every play, before the channel starts, so that no mixed block misses it.
  Mix_UnregisterEffect(m_channel, &MixerVoice::ApplyGain);
  Mix_RegisterEffect(m_channel, &MixerVoice::ApplyGain, nullptr, this);
  Mix_PlayChannel(m_channel, &m_playing, 0);
}

void MixerVoice::Halt() {
  std::lock_guard<std::recursive_mutex> hold(m_mutex);
  // Even a channel that has ended is halted: halting takes the device lock, after which the mixer
  // thread no longer reads the sound that is about to be freed or replaced.
  Mix_HaltChannel(m_channel);
}

bool MixerVoice::IsPlaying() const { return Mix_Playing(m_channel) != 0; }

void MixerVoice::ApplyGain(int /*channel*/, void* stream, int length, void* voice) {
  const float gain = static_cast<MixerVoice*>(voice)->m_gain;
  if (gain == 1.0f) return;
  auto* samples = static_cast<Sint16*>(stream);
  const int count = length / static_cast<int>(sizeof(Sint16));
  for (int i = 0; i < count; ++i) samples[i] = static_cast<Sint16>(std::lround(samples[i] * gain));
}

}  // namespace Audio

namespace Testing {

int OpenSoundChannels() {
  std::lock_guard<std::mutex> lock(State().mutex);
  int open = 0;
  for (bool taken : State().channelTaken) open += taken ? 1 : 0;
  return open;
}

bool IsMixerOpen() {
  std::lock_guard<std::mutex> lock(State().mutex);
  return State().users > 0;
}

}  // namespace Testing
}  // namespace Platform
