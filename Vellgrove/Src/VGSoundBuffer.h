#pragma once

#include "VGLockGuard.h"
#include "WaveFile.h"

#include "Platform/DSound8.h"

#include <string>

namespace Vellgrove {

// One sound-effect voice: a DirectSound device of its own with one secondary buffer that holds
// the whole sound, filled once from a WAV file. Each buffer call after creation is made under the
// voice's lock.
class VGSoundBuffer {
 public:
  VGSoundBuffer();
  // Releases the device, which takes its buffers with it.
  virtual ~VGSoundBuffer();
  VGSoundBuffer(const VGSoundBuffer&) = delete;
  VGSoundBuffer& operator=(const VGSoundBuffer&) = delete;

  void Create(HWND window, const std::string& file);
  // Plays once from the start.
  void Play();
  bool IsPlaying();
  // Stops where it is; the next play starts from the beginning again.
  void Stop();
  // Hundredths of a decibel; the platform's answer is handed back (a value outside -10000 to 0
  // is refused and the volume stays).
  HRESULT SetVolume(LONG volume);
  LONG GetVolume();

  // Fills size bytes from the start of the reader's data, repeating it until the buffer is full;
  // a reader with no data gives silence (128 for 8-bit sounds, 0 otherwise).
  static void FillFromReader(WaveFile& reader, BYTE* buffer, DWORD size);

 private:
  void SetPrimaryBufferFormat();
  HRESULT CreateSoundBuffers(const std::string& file);

  IDirectSound8* m_directSound = nullptr;
  IDirectSoundBuffer* m_buffer = nullptr;
  VGLockGuard m_lock;
};

}  // namespace Vellgrove
