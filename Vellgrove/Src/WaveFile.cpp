#include "WaveFile.h"

#include "SEngineException.h"

#include "Platform/Win32.h"

#include <cstdio>
#include <cstring>

namespace Vellgrove {

namespace {

const DWORD kPcmFormatBytes = sizeof(PCMWAVEFORMAT);
const DWORD kExtraSizeBytes = sizeof(WORD);

[[noreturn]] void Fail(const char* step) { throw KorvexEngine::SEngineException(step); }

}  // namespace

WaveFile::WaveFile() = default;

WaveFile::~WaveFile() { Close(); }

void WaveFile::Close() {
  if (m_file != nullptr) mmioClose(m_file, 0);
  m_file = nullptr;
}

HRESULT WaveFile::Open(const char* name) {
  if (name == nullptr) return E_INVALIDARG;
  // A reader opened again lets go of the sound it had.
  Close();
  m_format.clear();
  m_resourceCopy.clear();
  m_file = mmioOpenA(const_cast<char*>(name), nullptr, MMIO_ALLOCBUF | MMIO_READ);
  if (m_file == nullptr) OpenResource(name);
  try {
    if (FAILED(ReadMMIO())) Fail("Read MMIO");
    if (FAILED(ResetFile())) Fail("Reset file");
  } catch (...) {
    Close();
    throw;
  }
  m_size = m_ck.cksize;
  return S_OK;
}

void WaveFile::OpenResource(const char* name) {
  HRSRC resource = FindResourceA(nullptr, name, "WAVE");
  if (resource == nullptr) resource = FindResourceA(nullptr, name, "WAV");
  if (resource == nullptr) Fail("Find resource");
  HGLOBAL loaded = LoadResource(nullptr, resource);
  if (loaded == nullptr) Fail("Load resource");
  const DWORD size = SizeofResource(nullptr, resource);
  if (size == 0) Fail("Size of resource");
  const void* bytes = LockResource(loaded);
  if (bytes == nullptr) Fail("Lock resource");
  m_resourceCopy.assign(static_cast<const char*>(bytes), static_cast<const char*>(bytes) + size);

  MMIOINFO memory{};
  memory.fccIOProc = FOURCC_MEM;
  memory.pchBuffer = m_resourceCopy.data();
  memory.cchBuffer = static_cast<LONG>(size);
  m_file = mmioOpenA(nullptr, &memory, MMIO_ALLOCBUF | MMIO_READ);
  if (m_file == nullptr) Fail("mmioOpen");
}

HRESULT WaveFile::ReadMMIO() {
  m_format.clear();
  if (mmioDescend(m_file, &m_ckRiff, nullptr, 0) != MMSYSERR_NOERROR) Fail("mmioDescend");
  if (m_ckRiff.ckid != FOURCC_RIFF || m_ckRiff.fccType != mmioFOURCC('W', 'A', 'V', 'E')) Fail("mmioFOURCC");

  MMCKINFO formatChunk{};
  formatChunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
  if (mmioDescend(m_file, &formatChunk, &m_ckRiff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) Fail("mmioDescend");
  if (formatChunk.cksize < kPcmFormatBytes) Fail("sizeof(PCMWAVEFORMAT)");
  ReadFormatChunk(formatChunk);
  if (mmioAscend(m_file, &formatChunk, 0) != MMSYSERR_NOERROR) {
    m_format.clear();
    Fail("mmioAscend");
  }
  return S_OK;
}

void WaveFile::ReadFormatChunk(const MMCKINFO& formatChunk) {
  PCMWAVEFORMAT pcm;
  ReadExact(&pcm, kPcmFormatBytes);
  WORD extraSize = 0;
  // The extra size and bytes belong to the chunk: a 16-byte chunk announces none, and none is
  // read from past its end.
  if (pcm.wf.wFormatTag != WAVE_FORMAT_PCM && formatChunk.cksize > kPcmFormatBytes) {
    if (formatChunk.cksize < kPcmFormatBytes + kExtraSizeBytes) Fail("mmioRead");
    ReadExact(&extraSize, kExtraSizeBytes);
    if (extraSize > formatChunk.cksize - kPcmFormatBytes - kExtraSizeBytes) Fail("mmioRead");
  }
  std::vector<BYTE> format(sizeof(WAVEFORMATEX) + extraSize, 0);
  std::memcpy(format.data(), &pcm, kPcmFormatBytes);
  std::memcpy(format.data() + kPcmFormatBytes, &extraSize, kExtraSizeBytes);
  if (extraSize > 0) ReadExact(format.data() + sizeof(WAVEFORMATEX), extraSize);
  m_format.swap(format);
}

void WaveFile::ReadExact(void* destination, LONG bytes) {
  if (mmioRead(m_file, static_cast<HPSTR>(destination), bytes) != bytes) Fail("mmioRead");
}

HRESULT WaveFile::ResetFile() {
  if (m_file == nullptr) return CO_E_NOTINITIALIZED;
  if (mmioSeek(m_file, static_cast<LONG>(m_ckRiff.dwDataOffset + sizeof(FOURCC)), SEEK_SET) == -1) Fail("mmioSeek");
  m_ck.ckid = mmioFOURCC('d', 'a', 't', 'a');
  if (mmioDescend(m_file, &m_ck, &m_ckRiff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) Fail("mmioDescend");
  return S_OK;
}

HRESULT WaveFile::Read(BYTE* destination, DWORD size, DWORD* read) {
  if (m_file == nullptr) return CO_E_NOTINITIALIZED;
  if (destination == nullptr || read == nullptr) return E_INVALIDARG;
  *read = 0;
  MMIOINFO buffer;
  if (mmioGetInfo(m_file, &buffer, 0) != MMSYSERR_NOERROR) Fail("mmioGetInfo");
  if (size > m_ck.cksize) size = m_ck.cksize;
  m_ck.cksize -= size;
  for (DWORD i = 0; i < size; ++i) {
    if (buffer.pchNext == buffer.pchEndRead) {
      if (mmioAdvance(m_file, &buffer, MMIO_READ) != MMSYSERR_NOERROR) Fail("mmioAdvance");
      if (buffer.pchNext == buffer.pchEndRead) Fail("mmioinfoIn.pchNext");
    }
    destination[i] = static_cast<BYTE>(*buffer.pchNext++);
  }
  if (mmioSetInfo(m_file, &buffer, 0) != MMSYSERR_NOERROR) Fail("mmioSetInfo");
  *read = size;
  return S_OK;
}

}  // namespace Vellgrove
