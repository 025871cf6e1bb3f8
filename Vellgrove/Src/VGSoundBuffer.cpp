#include "VGSoundBuffer.h"

#include "SEngineException.h"
#include "TScopedLock.h"
#include "srethrow.h"

#include <cstring>
#include <string>

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGSoundBuffer";

typedef KorvexEngine::TScopedLock<VGLockGuard> Hold;

struct ErrorName {
  HRESULT code;
  const char* name;
};

const ErrorName kFormatErrors[] = {
    {DSERR_UNSUPPORTED, "DSERR_UNSUPPORTED"},         {DSERR_OUTOFMEMORY, "DSERR_OUTOFMEMORY"},
    {DSERR_INVALIDPARAM, "DSERR_INVALIDPARAM"},       {DSERR_INVALIDCALL, "DSERR_INVALIDCALL"},
    {DSERR_PRIOLEVELNEEDED, "DSERR_PRIOLEVELNEEDED"}, {DSERR_BADFORMAT, "DSERR_BADFORMAT"},
};

const char* NameOfFormatError(HRESULT code) {
  for (const ErrorName& known : kFormatErrors) {
    if (known.code == code) return known.name;
  }
  return "UNKNOWN ERROR";
}

[[noreturn]] void Fail(const std::string& text) { throw KorvexEngine::SEngineException(text.c_str()); }

}  // namespace

VGSoundBuffer::VGSoundBuffer() = default;

VGSoundBuffer::~VGSoundBuffer() {
  if (m_directSound != nullptr) m_directSound->Release();
}

void VGSoundBuffer::Create(HWND window, const std::string& file) {
  KORVEX_TRY
    if (FAILED(DirectSoundCreate8(nullptr, &m_directSound, nullptr))) {
      m_directSound = nullptr;
      Fail("can't create DirectSound");
    }
    if (FAILED(m_directSound->SetCooperativeLevel(window, DSSCL_PRIORITY))) Fail("can't set cooperative level");
    SetPrimaryBufferFormat();
    CreateSoundBuffers(file);
  KORVEX_RETHROW("VGSoundBuffer::Create()", kSource)
}

void VGSoundBuffer::SetPrimaryBufferFormat() {
  KORVEX_TRY
    DSBUFFERDESC description{};
    description.dwSize = sizeof(DSBUFFERDESC);
    description.dwFlags = DSBCAPS_PRIMARYBUFFER;
    IDirectSoundBuffer* primary = nullptr;
    if (FAILED(m_directSound->CreateSoundBuffer(&description, &primary, nullptr))) Fail("can't create primary buffer");

    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = 22050;
    format.nAvgBytesPerSec = 88200;
    format.nBlockAlign = 4;
    format.wBitsPerSample = 16;
    const HRESULT result = primary->SetFormat(&format);
    primary->Release();
    if (FAILED(result)) Fail(std::string("can't set primary buffer format(") + NameOfFormatError(result) + ")");
  KORVEX_RETHROW("VGSoundBuffer::SetPrimaryBufferFormat()", kSource)
}

HRESULT VGSoundBuffer::CreateSoundBuffers(const std::string& file) {
  KORVEX_TRY
    WaveFile reader;
    reader.Open(file.c_str());

    DSBUFFERDESC description{};
    description.dwSize = sizeof(DSBUFFERDESC);
    description.dwFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    description.dwBufferBytes = reader.GetSize();
    description.lpwfxFormat = reader.GetFormat();
    description.guid3DAlgorithm = GUID_NULL;
    if (FAILED(m_directSound->CreateSoundBuffer(&description, &m_buffer, nullptr))) {
      m_buffer = nullptr;
      Fail("can't create sound buffer");
    }

    void* bytes = nullptr;
    DWORD locked = 0;
    if (FAILED(m_buffer->Lock(0, description.dwBufferBytes, &bytes, &locked, nullptr, nullptr, 0))) {
      Fail("can't lock sound buffer");
    }
    FillFromReader(reader, static_cast<BYTE*>(bytes), locked);
    return m_buffer->Unlock(bytes, locked, nullptr, 0);
  KORVEX_RETHROW("VGSoundBuffer::CreateSoundBuffers()", kSource)
}

void VGSoundBuffer::FillFromReader(WaveFile& reader, BYTE* buffer, DWORD size) {
  reader.ResetFile();
  DWORD filled = 0;
  reader.Read(buffer, size, &filled);
  if (filled == 0) {
    const WAVEFORMATEX* format = reader.GetFormat();
    std::memset(buffer, format != nullptr && format->wBitsPerSample == 8 ? 128 : 0, size);
    return;
  }
  // A data chunk shorter than the buffer repeats from its start.
  while (filled < size) {
    if (FAILED(reader.ResetFile())) Fail("ResetFile");
    DWORD read = 0;
    if (FAILED(reader.Read(buffer + filled, size - filled, &read)) || read == 0) Fail("Read");
    filled += read;
  }
}

void VGSoundBuffer::Play() {
  KORVEX_TRY
    Hold hold(m_lock);
    m_buffer->SetCurrentPosition(0);
    m_buffer->Play(0, 0, 0);
  KORVEX_RETHROW("VGSoundBuffer::Play()", kSource)
}

bool VGSoundBuffer::IsPlaying() {
  KORVEX_TRY
    Hold hold(m_lock);
    DWORD status = 0;
    m_buffer->GetStatus(&status);
    return status == DSBSTATUS_PLAYING;
  KORVEX_RETHROW("VGSoundBuffer::IsPlaying()", kSource)
}

void VGSoundBuffer::Stop() {
  KORVEX_TRY
    Hold hold(m_lock);
    m_buffer->Stop();
  KORVEX_RETHROW("VGSoundBuffer::Stop()", kSource)
}

HRESULT VGSoundBuffer::SetVolume(LONG volume) {
  Hold hold(m_lock);
  return m_buffer->SetVolume(volume);
}

LONG VGSoundBuffer::GetVolume() {
  Hold hold(m_lock);
  LONG volume = 0;
  m_buffer->GetVolume(&volume);
  return volume;
}

}  // namespace Vellgrove
