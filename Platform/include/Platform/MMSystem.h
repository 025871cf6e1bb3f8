// The multimedia timer, the one clock of the engine and the game, and the multimedia file
// functions (mmio) through which the game reads RIFF WAVE sounds from files or from memory.
#pragma once

#include "Platform/Win32Types.h"

// Milliseconds of a steady clock as a 32-bit value that wraps; callers take unsigned differences.
DWORD timeGetTime();

typedef DWORD FOURCC;
typedef char* HPSTR;
typedef UINT MMRESULT;
KORVEX_DECLARE_HANDLE(HMMIO);

// Four characters as the little-endian value they make in a file.
constexpr FOURCC mmioFOURCC(char a, char b, char c, char d) {
  return static_cast<FOURCC>(static_cast<BYTE>(a)) | (static_cast<FOURCC>(static_cast<BYTE>(b)) << 8) |
         (static_cast<FOURCC>(static_cast<BYTE>(c)) << 16) | (static_cast<FOURCC>(static_cast<BYTE>(d)) << 24);
}

#define FOURCC_RIFF mmioFOURCC('R', 'I', 'F', 'F')
#define FOURCC_LIST mmioFOURCC('L', 'I', 'S', 'T')
#define FOURCC_MEM mmioFOURCC('M', 'E', 'M', ' ')

#define MMSYSERR_NOERROR 0
#define MMIOERR_BASE 256
#define MMIOERR_FILENOTFOUND (MMIOERR_BASE + 1)
#define MMIOERR_OUTOFMEMORY (MMIOERR_BASE + 2)
#define MMIOERR_CANNOTSEEK (MMIOERR_BASE + 6)
#define MMIOERR_CHUNKNOTFOUND (MMIOERR_BASE + 9)
#define MMIOERR_UNBUFFERED (MMIOERR_BASE + 10)
#define MMIOERR_INVALIDFILE (MMIOERR_BASE + 16)

#define MMIO_READ 0x00000000
#define MMIO_WRITE 0x00000001
#define MMIO_READWRITE 0x00000002
#define MMIO_ALLOCBUF 0x00010000
#define MMIO_FINDCHUNK 0x0010
#define MMIO_FINDRIFF 0x0020
#define MMIO_FINDLIST 0x0040

// The seek origins are those of the C library (SEEK_SET, SEEK_CUR, SEEK_END from <cstdio>).

struct MMCKINFO {
  FOURCC ckid;
  DWORD cksize;
  FOURCC fccType;       // form type of a RIFF or LIST chunk
  DWORD dwDataOffset;   // file offset of the chunk's data (of the form type for RIFF and LIST)
  DWORD dwFlags;
};
typedef MMCKINFO* LPMMCKINFO;
typedef const MMCKINFO* LPCMMCKINFO;

// The state of a file's I/O buffer that a caller may read directly: bytes from pchNext up to
// pchEndRead are the file's bytes from lBufOffset + (pchNext - pchBuffer) on.
struct MMIOINFO {
  DWORD dwFlags;
  FOURCC fccIOProc;
  void* pIOProc;
  UINT wErrorRet;
  HANDLE htask;
  LONG cchBuffer;
  HPSTR pchBuffer;
  HPSTR pchNext;
  HPSTR pchEndRead;
  HPSTR pchEndWrite;
  LONG lBufOffset;
  LONG lDiskOffset;
  DWORD adwInfo[3];
  DWORD dwReserved1;
  DWORD dwReserved2;
  HMMIO hmmio;
};
typedef MMIOINFO* LPMMIOINFO;
typedef const MMIOINFO* LPCMMIOINFO;

// A named file (through the path translation), or with no name and fccIOProc FOURCC_MEM a file
// over the caller's cchBuffer bytes at pchBuffer. Only reading is offered. Null on failure, the
// reason in wErrorRet when info is given.
HMMIO mmioOpenA(LPSTR fileName, LPMMIOINFO info, DWORD flags);
MMRESULT mmioClose(HMMIO file, UINT flags);
// Bytes read (0 at the end of the file), or -1.
LONG mmioRead(HMMIO file, HPSTR buffer, LONG count);
// The new position from the start, or -1.
LONG mmioSeek(HMMIO file, LONG offset, int origin);
// With no flags: the chunk that starts at the current position. MMIO_FINDCHUNK (ckid),
// MMIO_FINDRIFF and MMIO_FINDLIST (fccType): the first matching chunk from the current position
// to the end of the parent's data (or of the file). Leaves the position at the chunk's data.
MMRESULT mmioDescend(HMMIO file, LPMMCKINFO chunk, LPCMMCKINFO parent, UINT flags);
// Moves past the end of the chunk and its pad byte.
MMRESULT mmioAscend(HMMIO file, LPMMCKINFO chunk, UINT flags);
MMRESULT mmioGetInfo(HMMIO file, LPMMIOINFO info, UINT flags);
MMRESULT mmioSetInfo(HMMIO file, LPCMMIOINFO info, UINT flags);
// Takes the caller's read position from info and refills the buffer from there; at the end of
// the file the buffer comes back empty (pchNext equals pchEndRead).
MMRESULT mmioAdvance(HMMIO file, LPMMIOINFO info, UINT flags);

#define WAVE_FORMAT_PCM 1

#pragma pack(push, 1)
struct WAVEFORMAT {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
};
struct PCMWAVEFORMAT {
  WAVEFORMAT wf;
  WORD wBitsPerSample;
};
// The extra bytes that cbSize announces follow the record in memory.
struct WAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
};
#pragma pack(pop)
static_assert(sizeof(PCMWAVEFORMAT) == 16, "PCMWAVEFORMAT is the 16 bytes of a format chunk");
static_assert(sizeof(WAVEFORMATEX) == 18, "WAVEFORMATEX is 18 bytes");
typedef WAVEFORMATEX* LPWAVEFORMATEX;
typedef const WAVEFORMATEX* LPCWAVEFORMATEX;
