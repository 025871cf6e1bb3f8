#include "Platform/DSound8.h"

#include "SoundBuffers.h"
#include "d3d9/D3D9RefCounted.h"
#include "audio/SharedMixer.h"
#include "audio/SoundCalls.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

const GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

namespace Platform {
namespace DirectSound {
namespace {

// A device holds the shared mixer open and owns the buffers made with it: its last release takes
// them with it, as the game's voices expect.
class Device : public D3D9::RefCounted<IDirectSound8> {
 public:
  HRESULT SetCooperativeLevel(HWND /*window*/, DWORD level) override {
    HRESULT failure;
    if (Audio::TakeFailure("SetCooperativeLevel", failure)) return Audio::RecordCall("SetCooperativeLevel", failure);
    if (level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY) return DSERR_INVALIDPARAM;
    m_level = level;
    return Audio::RecordCall("SetCooperativeLevel", DS_OK, level);
  }

  HRESULT CreateSoundBuffer(LPCDSBUFFERDESC description, LPDIRECTSOUNDBUFFER* buffer, IUnknown* outer) override {
    HRESULT failure;
    if (Audio::TakeFailure("CreateSoundBuffer", failure)) return Audio::RecordCall("CreateSoundBuffer", failure);
    if (buffer == nullptr || description == nullptr || outer != nullptr || description->dwSize != sizeof(DSBUFFERDESC)) {
      return Audio::RecordCall("CreateSoundBuffer", DSERR_INVALIDPARAM);
    }
    *buffer = nullptr;
    const HRESULT checked = Check(*description);
    if (FAILED(checked)) return Audio::RecordCall("CreateSoundBuffer", checked, description->dwBufferBytes);
    try {
      auto released = [this](BufferBase* gone) { Forget(gone); };
      std::unique_ptr<BufferBase> made;
      if (description->dwFlags & DSBCAPS_PRIMARYBUFFER) {
        made.reset(new PrimaryBuffer(released, m_level));
      } else {
        made.reset(new SecondaryBuffer(released, description->dwBufferBytes, *description->lpwfxFormat));
      }
      *buffer = made.get();
      std::lock_guard<std::mutex> lock(m_buffersMutex);
      m_buffers.push_back(std::move(made));
    } catch (const std::bad_alloc&) {
      return Audio::RecordCall("CreateSoundBuffer", DSERR_OUTOFMEMORY, description->dwBufferBytes);
    }
    return Audio::RecordCall("CreateSoundBuffer", DS_OK, description->dwBufferBytes);
  }

 private:
  static HRESULT Check(const DSBUFFERDESC& description) {
    if (description.dwFlags & DSBCAPS_PRIMARYBUFFER) {
      return description.dwBufferBytes == 0 && description.lpwfxFormat == nullptr ? DS_OK : DSERR_INVALIDPARAM;
    }
    if (description.lpwfxFormat == nullptr || description.dwBufferBytes < DSBSIZE_MIN ||
        description.dwBufferBytes > DSBSIZE_MAX) {
      return DSERR_INVALIDPARAM;
    }
    return IsPlayablePcm(*description.lpwfxFormat) ? DS_OK : DSERR_BADFORMAT;
  }

  void Forget(BufferBase* gone) {
    std::unique_ptr<BufferBase> dying;
    std::lock_guard<std::mutex> lock(m_buffersMutex);
    const auto found = std::find_if(m_buffers.begin(), m_buffers.end(),
                                    [gone](const std::unique_ptr<BufferBase>& held) { return held.get() == gone; });
    if (found == m_buffers.end()) return;
    dying = std::move(*found);
    m_buffers.erase(found);
  }

  Audio::MixerUse m_mixer;
  std::atomic<DWORD> m_level{0};
  std::mutex m_buffersMutex;
  std::vector<std::unique_ptr<BufferBase>> m_buffers;
};

}  // namespace
}  // namespace DirectSound
}  // namespace Platform

HRESULT DirectSoundCreate8(LPCGUID device, LPDIRECTSOUND8* directSound, IUnknown* outer) {
  HRESULT failure;
  if (Platform::Audio::TakeFailure("DirectSoundCreate8", failure)) {
    return Platform::Audio::RecordCall("DirectSoundCreate8", failure);
  }
  if (directSound == nullptr || outer != nullptr || (device != nullptr && *device != GUID_NULL)) {
    return Platform::Audio::RecordCall("DirectSoundCreate8", DSERR_INVALIDPARAM);
  }
  try {
    *directSound = new Platform::DirectSound::Device;
  } catch (const std::bad_alloc&) {
    return Platform::Audio::RecordCall("DirectSoundCreate8", DSERR_OUTOFMEMORY);
  }
  return Platform::Audio::RecordCall("DirectSoundCreate8", DS_OK);
}
