#include "SoundBuffers.h"

#include "audio/SoundCalls.h"

#include <cstring>

namespace Platform {
namespace DirectSound {

bool IsPlayablePcm(const WAVEFORMATEX& format) {
  const bool shape = format.wFormatTag == WAVE_FORMAT_PCM && (format.nChannels == 1 || format.nChannels == 2) &&
                     (format.wBitsPerSample == 8 || format.wBitsPerSample == 16);
  if (!shape) return false;
  const DWORD blockAlign = format.nChannels * format.wBitsPerSample / 8u;
  return format.nBlockAlign == blockAlign && format.nSamplesPerSec >= 100 && format.nSamplesPerSec <= 200000 &&
         format.nAvgBytesPerSec == format.nSamplesPerSec * blockAlign;
}

ULONG BufferBase::Release() {
  const ULONG left = --m_references;
  if (left == 0) m_released(this);
  return left;
}

HRESULT BufferBase::GetStatus(DWORD* status) {
  if (status == nullptr) return DSERR_INVALIDPARAM;
  *status = 0;
  return DS_OK;
}

HRESULT BufferBase::SetVolume(LONG volume) {
  if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return Audio::RecordCall("SetVolume", DSERR_INVALIDPARAM, volume);
  m_volume = volume;
  ApplyVolume(volume);
  return Audio::RecordCall("SetVolume", DS_OK, volume);
}

HRESULT BufferBase::GetVolume(LONG* volume) {
  if (volume == nullptr) return DSERR_INVALIDPARAM;
  *volume = m_volume;
  return DS_OK;
}

HRESULT PrimaryBuffer::SetFormat(LPCWAVEFORMATEX format) {
  HRESULT failure;
  if (Audio::TakeFailure("SetFormat", failure)) return Audio::RecordCall("SetFormat", failure);
  if (m_cooperativeLevel < DSSCL_PRIORITY) return Audio::RecordCall("SetFormat", DSERR_PRIOLEVELNEEDED);
  if (format == nullptr) return Audio::RecordCall("SetFormat", DSERR_INVALIDPARAM);
  // The shared mixer keeps its own output format; the asked one only has to be one it could play.
  const HRESULT result = IsPlayablePcm(*format) ? DS_OK : DSERR_BADFORMAT;
  return Audio::RecordCall("SetFormat", result, format->nSamplesPerSec);
}

SecondaryBuffer::SecondaryBuffer(std::function<void(BufferBase*)> released, DWORD bytes, const WAVEFORMATEX& format)
    : BufferBase(std::move(released)), m_bytes(bytes, 0), m_format(format) {}

HRESULT SecondaryBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* audio1, DWORD* bytes1, LPVOID* audio2,
                              DWORD* bytes2, DWORD flags) {
  HRESULT failure;
  if (Audio::TakeFailure("Lock", failure)) return Audio::RecordCall("Lock", failure);
  if (audio1 == nullptr || bytes1 == nullptr) return DSERR_INVALIDPARAM;
  if (flags & DSBLOCK_ENTIREBUFFER) offset = 0, bytes = static_cast<DWORD>(m_bytes.size());
  if (offset > m_bytes.size() || bytes > m_bytes.size() - offset) return DSERR_INVALIDPARAM;
  *audio1 = m_bytes.data() + offset;
  *bytes1 = bytes;
  if (audio2 != nullptr) *audio2 = nullptr;
  if (bytes2 != nullptr) *bytes2 = 0;
  return DS_OK;
}

HRESULT SecondaryBuffer::Unlock(LPVOID audio1, DWORD bytes1, LPVOID /*audio2*/, DWORD /*bytes2*/) {
  const BYTE* start = static_cast<const BYTE*>(audio1);
  if (start < m_bytes.data() || start + bytes1 > m_bytes.data() + m_bytes.size()) return DSERR_INVALIDPARAM;
  const bool converted = m_voice.SetPcm(m_bytes.data(), m_bytes.size(), static_cast<int>(m_format.nSamplesPerSec),
                                        m_format.nChannels, m_format.wBitsPerSample);
  return converted ? DS_OK : DSERR_BADFORMAT;
}

HRESULT SecondaryBuffer::SetCurrentPosition(DWORD position) {
  if (position >= m_bytes.size()) return DSERR_INVALIDPARAM;
  m_startFrame = position / m_format.nBlockAlign;
  return DS_OK;
}

HRESULT SecondaryBuffer::Play(DWORD reserved, DWORD /*priority*/, DWORD flags) {
  // Looping is no part of what the game asks of a buffer.
  if (reserved != 0 || (flags & DSBPLAY_LOOPING) != 0) return Audio::RecordCall("Play", DSERR_INVALIDPARAM, flags);
  const std::size_t mixerFrame = static_cast<std::size_t>(
      static_cast<double>(m_startFrame) * Audio::MixerVoice::FramesPerSecond() / m_format.nSamplesPerSec);
  m_voice.Play(mixerFrame);
  return Audio::RecordCall("Play", DS_OK);
}

HRESULT SecondaryBuffer::Stop() {
  m_voice.Halt();
  return Audio::RecordCall("Stop", DS_OK);
}

HRESULT SecondaryBuffer::GetStatus(DWORD* status) {
  if (status == nullptr) return DSERR_INVALIDPARAM;
  *status = m_voice.IsPlaying() ? DSBSTATUS_PLAYING : 0;
  return DS_OK;
}

void SecondaryBuffer::ApplyVolume(LONG volume) { m_voice.SetGain(Audio::GainOfLevel(volume)); }

}  // namespace DirectSound
}  // namespace Platform
