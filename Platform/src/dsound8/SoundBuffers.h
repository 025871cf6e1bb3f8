// The buffers of the DirectSound stand-in: the primary buffer that only takes the device's format,
// and the secondary buffers, each one whole sound on a channel of the shared mixer.
#pragma once

#include "Platform/DSound8.h"
#include "audio/SharedMixer.h"

#include <atomic>
#include <functional>
#include <vector>

namespace Platform {
namespace DirectSound {

// PCM of 8 or 16 bits, one or two channels, with consistent block size and rate.
bool IsPlayablePcm(const WAVEFORMATEX& format);

// Made with one reference; at zero it tells its device, which deletes it.
class BufferBase : public IDirectSoundBuffer {
 public:
  explicit BufferBase(std::function<void(BufferBase*)> released) : m_released(std::move(released)) {}
  ULONG AddRef() override { return ++m_references; }
  ULONG Release() override;

  HRESULT SetFormat(LPCWAVEFORMATEX) override { return DSERR_INVALIDCALL; }
  HRESULT Lock(DWORD, DWORD, LPVOID*, DWORD*, LPVOID*, DWORD*, DWORD) override { return DSERR_INVALIDCALL; }
  HRESULT Unlock(LPVOID, DWORD, LPVOID, DWORD) override { return DSERR_INVALIDCALL; }
  HRESULT SetCurrentPosition(DWORD) override { return DSERR_INVALIDCALL; }
  HRESULT Play(DWORD, DWORD, DWORD) override { return DSERR_INVALIDCALL; }
  HRESULT Stop() override { return DSERR_INVALIDCALL; }
  HRESULT GetStatus(DWORD* status) override;
  HRESULT SetVolume(LONG volume) override;
  HRESULT GetVolume(LONG* volume) override;

 protected:
  virtual void ApplyVolume(LONG /*volume*/) {}

 private:
  std::atomic<ULONG> m_references{1};
  std::atomic<LONG> m_volume{DSBVOLUME_MAX};
  std::function<void(BufferBase*)> m_released;
};

class PrimaryBuffer : public BufferBase {
 public:
  PrimaryBuffer(std::function<void(BufferBase*)> released, DWORD cooperativeLevel)
      : BufferBase(std::move(released)), m_cooperativeLevel(cooperativeLevel) {}
  HRESULT SetFormat(LPCWAVEFORMATEX format) override;

 private:
  DWORD m_cooperativeLevel;
};

class SecondaryBuffer : public BufferBase {
 public:
  SecondaryBuffer(std::function<void(BufferBase*)> released, DWORD bytes, const WAVEFORMATEX& format);

  HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* audio1, DWORD* bytes1, LPVOID* audio2, DWORD* bytes2,
               DWORD flags) override;
  HRESULT Unlock(LPVOID audio1, DWORD bytes1, LPVOID audio2, DWORD bytes2) override;
  HRESULT SetCurrentPosition(DWORD position) override;
  HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) override;
  HRESULT Stop() override;
  HRESULT GetStatus(DWORD* status) override;

 protected:
  void ApplyVolume(LONG volume) override;

 private:
  std::vector<BYTE> m_bytes;
  WAVEFORMATEX m_format;
  std::atomic<DWORD> m_startFrame{0};
  Audio::MixerVoice m_voice;
};

}  // namespace DirectSound
}  // namespace Platform
