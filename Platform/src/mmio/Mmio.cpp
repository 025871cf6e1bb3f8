#include "Platform/MMSystem.h"
#include "Platform/NativePath.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <new>
#include <vector>

// An mmio file is a byte range read through an I/O buffer. A named file is read whole when it is
// opened; a memory file reads the caller's bytes, and its I/O buffer is those bytes themselves.
struct HMMIO__ {
  std::vector<char> contents;       // a named file's bytes
  const char* bytes = nullptr;      // the bytes read from
  LONG size = 0;
  LONG position = 0;                // the next byte a plain read or a descend takes
  std::vector<char> ioBuffer;       // a named file's I/O buffer
  LONG bufferOffset = 0;            // file offset of the I/O buffer's first byte
  LONG bufferFilled = 0;            // bytes of the file the I/O buffer holds
  bool isMemory = false;
};

namespace {

const LONG kDefaultBufferSize = 8192;
const LONG kChunkHeaderSize = 8;
const LONG kFormTypeSize = 4;

bool ReadWholeFile(const char* name, std::vector<char>& contents) {
  std::ifstream in(Platform::ToNativePath(std::string(name)), std::ios::binary);
  if (!in) return false;
  contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

HMMIO OpenNamedFile(LPSTR fileName, LPMMIOINFO info) {
  auto file = std::make_unique<HMMIO__>();
  if (!ReadWholeFile(fileName, file->contents)) {
    if (info != nullptr) info->wErrorRet = MMIOERR_FILENOTFOUND;
    return nullptr;
  }
  file->bytes = file->contents.data();
  file->size = static_cast<LONG>(file->contents.size());
  const LONG asked = info != nullptr ? info->cchBuffer : 0;
  file->ioBuffer.resize(static_cast<std::size_t>(asked > 0 ? asked : kDefaultBufferSize));
  return file.release();
}

HMMIO OpenMemoryFile(LPMMIOINFO info) {
  if (info == nullptr || info->fccIOProc != FOURCC_MEM || info->pchBuffer == nullptr || info->cchBuffer <= 0) {
    if (info != nullptr) info->wErrorRet = MMIOERR_INVALIDFILE;
    return nullptr;
  }
  auto file = std::make_unique<HMMIO__>();
  file->bytes = info->pchBuffer;
  file->size = info->cchBuffer;
  file->isMemory = true;
  file->bufferFilled = file->size;
  return file.release();
}

DWORD ReadLittleEndian32(const char* at) {
  DWORD value;
  std::memcpy(&value, at, sizeof(value));
  return value;
}

bool IsListChunk(FOURCC id) { return id == FOURCC_RIFF || id == FOURCC_LIST; }

// Reads the chunk header at the current position; false when the file ends inside it.
bool ReadChunkHeader(HMMIO file, MMCKINFO& chunk) {
  const LONG start = file->position;
  if (start < 0 || start > file->size - kChunkHeaderSize) return false;
  chunk.ckid = ReadLittleEndian32(file->bytes + start);
  chunk.cksize = ReadLittleEndian32(file->bytes + start + 4);
  chunk.dwDataOffset = static_cast<DWORD>(start + kChunkHeaderSize);
  chunk.fccType = 0;
  chunk.dwFlags = 0;
  file->position = start + kChunkHeaderSize;
  if (IsListChunk(chunk.ckid)) {
    if (file->position > file->size - kFormTypeSize) return false;
    chunk.fccType = ReadLittleEndian32(file->bytes + file->position);
    file->position += kFormTypeSize;
  }
  return true;
}

bool Matches(const MMCKINFO& wanted, const MMCKINFO& found, UINT flags) {
  if (flags & MMIO_FINDCHUNK) return found.ckid == wanted.ckid;
  if (flags & MMIO_FINDRIFF) return found.ckid == FOURCC_RIFF && found.fccType == wanted.fccType;
  if (flags & MMIO_FINDLIST) return found.ckid == FOURCC_LIST && found.fccType == wanted.fccType;
  return true;
}

// The offset just past a chunk's data and its pad byte, as 64 bits so that a lying size cannot wrap.
long long ChunkEnd(const MMCKINFO& chunk) {
  return static_cast<long long>(chunk.dwDataOffset) + chunk.cksize + (chunk.cksize & 1);
}

}  // namespace

HMMIO mmioOpenA(LPSTR fileName, LPMMIOINFO info, DWORD flags) {
  if ((flags & (MMIO_WRITE | MMIO_READWRITE)) != 0) {
    if (info != nullptr) info->wErrorRet = MMIOERR_INVALIDFILE;
    return nullptr;
  }
  try {
    return fileName != nullptr ? OpenNamedFile(fileName, info) : OpenMemoryFile(info);
  } catch (const std::bad_alloc&) {
    if (info != nullptr) info->wErrorRet = MMIOERR_OUTOFMEMORY;
    return nullptr;
  }
}

MMRESULT mmioClose(HMMIO file, UINT /*flags*/) {
  delete file;
  return MMSYSERR_NOERROR;
}

LONG mmioRead(HMMIO file, HPSTR buffer, LONG count) {
  if (file == nullptr || buffer == nullptr || count < 0) return -1;
  const LONG available = file->position < file->size ? file->size - file->position : 0;
  const LONG taken = count < available ? count : available;
  if (taken > 0) std::memcpy(buffer, file->bytes + file->position, static_cast<std::size_t>(taken));
  file->position += taken;
  return taken;
}

LONG mmioSeek(HMMIO file, LONG offset, int origin) {
  if (file == nullptr) return -1;
  long long target;
  switch (origin) {
    case SEEK_SET: target = offset; break;
    case SEEK_CUR: target = static_cast<long long>(file->position) + offset; break;
    case SEEK_END: target = static_cast<long long>(file->size) + offset; break;
    default: return -1;
  }
  if (target < 0 || target > 0x7FFFFFFF) return -1;
  file->position = static_cast<LONG>(target);
  return file->position;
}

MMRESULT mmioDescend(HMMIO file, LPMMCKINFO chunk, LPCMMCKINFO parent, UINT flags) {
  if (file == nullptr || chunk == nullptr) return MMIOERR_INVALIDFILE;
  const long long limit = parent != nullptr ? static_cast<long long>(parent->dwDataOffset) + parent->cksize : file->size;
  const bool searching = (flags & (MMIO_FINDCHUNK | MMIO_FINDRIFF | MMIO_FINDLIST)) != 0;
  MMCKINFO found;
  while (true) {
    const LONG start = file->position;
    if (start + kChunkHeaderSize > limit || !ReadChunkHeader(file, found)) {
      file->position = start;
      return MMIOERR_CHUNKNOTFOUND;
    }
    if (!searching || Matches(*chunk, found, flags)) break;
    const long long next = ChunkEnd(found);
    if (next > limit) {
      file->position = start;
      return MMIOERR_CHUNKNOTFOUND;
    }
    file->position = static_cast<LONG>(next);
  }
  *chunk = found;
  return MMSYSERR_NOERROR;
}

MMRESULT mmioAscend(HMMIO file, LPMMCKINFO chunk, UINT /*flags*/) {
  if (file == nullptr || chunk == nullptr) return MMIOERR_INVALIDFILE;
  const long long end = ChunkEnd(*chunk);
  if (end > 0x7FFFFFFF) return MMIOERR_CANNOTSEEK;
  file->position = static_cast<LONG>(end);
  return MMSYSERR_NOERROR;
}

MMRESULT mmioGetInfo(HMMIO file, LPMMIOINFO info, UINT /*flags*/) {
  if (file == nullptr || info == nullptr) return MMIOERR_INVALIDFILE;
  std::memset(info, 0, sizeof(*info));
  info->hmmio = file;
  if (file->isMemory) {
    info->fccIOProc = FOURCC_MEM;
    // Past the end (after ascending out of a chunk that claims more than there is) reads nothing.
    if (file->position > file->size) file->position = file->size;
  } else if (file->position < file->bufferOffset || file->position > file->bufferOffset + file->bufferFilled) {
    // The buffer holds another part of the file: it starts empty at the read position.
    file->bufferOffset = file->position;
    file->bufferFilled = 0;
  }
  char* buffer = file->isMemory ? const_cast<char*>(file->bytes) : file->ioBuffer.data();
  info->cchBuffer = file->isMemory ? file->size : static_cast<LONG>(file->ioBuffer.size());
  info->pchBuffer = buffer;
  info->pchNext = buffer + (file->position - file->bufferOffset);
  info->pchEndRead = buffer + file->bufferFilled;
  info->pchEndWrite = buffer;
  info->lBufOffset = file->bufferOffset;
  info->lDiskOffset = file->bufferOffset + file->bufferFilled;
  return MMSYSERR_NOERROR;
}

MMRESULT mmioSetInfo(HMMIO file, LPCMMIOINFO info, UINT /*flags*/) {
  if (file == nullptr || info == nullptr || info->pchNext < info->pchBuffer || info->pchNext > info->pchEndRead) {
    return MMIOERR_INVALIDFILE;
  }
  file->position = info->lBufOffset + static_cast<LONG>(info->pchNext - info->pchBuffer);
  return MMSYSERR_NOERROR;
}

MMRESULT mmioAdvance(HMMIO file, LPMMIOINFO info, UINT flags) {
  if (file == nullptr || info == nullptr || (flags & (MMIO_WRITE | MMIO_READWRITE)) != 0) return MMIOERR_INVALIDFILE;
  const MMRESULT taken = mmioSetInfo(file, info, 0);
  if (taken != MMSYSERR_NOERROR) return taken;
  if (!file->isMemory) {
    // Refill from the read position; at the end of the file the buffer stays empty.
    file->bufferOffset = file->position;
    const LONG left = file->position < file->size ? file->size - file->position : 0;
    const LONG capacity = static_cast<LONG>(file->ioBuffer.size());
    file->bufferFilled = left < capacity ? left : capacity;
    if (file->bufferFilled > 0) {
      std::memcpy(file->ioBuffer.data(), file->bytes + file->position, static_cast<std::size_t>(file->bufferFilled));
    }
  }
  return mmioGetInfo(file, info, 0);
}
