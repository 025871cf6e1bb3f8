#pragma once

#include "Platform/COM.h"
#include "Platform/MMSystem.h"

#include <vector>

namespace Vellgrove {

// Reads the sample data of a RIFF WAVE sound from a file or, when there is no such file, from a
// resource of the program of that name. Only reads. Failures raise SEngineException with the text
// of the failing step; the caller adds the context.
class WaveFile {
 public:
  WaveFile();
  ~WaveFile();
  WaveFile(const WaveFile&) = delete;
  WaveFile& operator=(const WaveFile&) = delete;

  // Opens the sound and positions it at the start of its sample data; E_INVALIDARG for no name.
  HRESULT Open(const char* name);
  // Parses the RIFF header and the format chunk.
  HRESULT ReadMMIO();
  // Back to the start of the sample data, all of it left; CO_E_NOTINITIALIZED when not open.
  HRESULT ResetFile();
  // Up to size bytes of sample data; 0 once the data is used up.
  HRESULT Read(BYTE* destination, DWORD size, DWORD* read);

  // Null until the header has been read; the extra bytes follow the record.
  WAVEFORMATEX* GetFormat() { return m_format.empty() ? nullptr : reinterpret_cast<WAVEFORMATEX*>(m_format.data()); }
  // The size of the data chunk found at Open.
  DWORD GetSize() const { return m_size; }

 private:
  void OpenResource(const char* name);
  void ReadFormatChunk(const MMCKINFO& formatChunk);
  void ReadExact(void* destination, LONG bytes);
  void Close();

  std::vector<BYTE> m_format;
  HMMIO m_file = nullptr;
  MMCKINFO m_ck{};       // the data chunk; its size counts the bytes not yet read
  MMCKINFO m_ckRiff{};
  DWORD m_size = 0;
  std::vector<char> m_resourceCopy;
};

}  // namespace Vellgrove
