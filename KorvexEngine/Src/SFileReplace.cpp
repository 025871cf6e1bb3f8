#include "SFileReplace.h"

#include "KorvexCoreException.h"

#include "Platform/NativePath.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <cstdio>

namespace {

[[noreturn]] void RaiseWriteError(const std::wstring& path, int error) {
  const std::string message = "Cannot write file [" + Platform::WideToUtf8(path) + "]: " + std::strerror(error);
  throw SCore::KorvexCoreException(message.c_str());
}

// A name of our own beside the target, so that two writers never share a temporary file.
std::string TemporaryNameBeside(const std::string& target) {
  static std::atomic<unsigned long> counter(0);
  return target + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(++counter);
}

// Answers 0, or the error that stopped the writing.
int WriteAll(int file, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t result = write(file, bytes.data() + written, bytes.size() - written);
    if (result < 0 && errno == EINTR) continue;
    if (result < 0) return errno;
    if (result == 0) return ENOSPC;
    written += static_cast<std::size_t>(result);
  }
  return fsync(file) == 0 ? 0 : errno;
}

// Makes the rename itself durable; a folder that refuses to be synced changes nothing for the file.
void SyncFolderOf(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
  const int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (handle < 0) return;
  fsync(handle);
  close(handle);
}

}  // namespace

void ReplaceFileContent(const std::wstring& path, const std::string& bytes) {
  const std::string target = Platform::ToNativePath(path);
  const std::string temporary = TemporaryNameBeside(target);
  const int file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (file < 0) RaiseWriteError(path, errno);
  int error = WriteAll(file, bytes);
  if (close(file) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temporary.c_str());
    RaiseWriteError(path, error);
  }
  SyncFolderOf(target);
}
