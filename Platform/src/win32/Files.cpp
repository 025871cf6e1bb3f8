#include "Platform/NativePath.h"
#include "Platform/Win32.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

thread_local DWORD t_lastError = ERROR_SUCCESS;

DWORD LastErrorFromErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EEXIST:
      return ERROR_ALREADY_EXISTS;
    case EACCES:
    case EPERM:
    case EROFS:
      return ERROR_ACCESS_DENIED;
    case ENOSPC:
      return ERROR_DISK_FULL;
    default:
      return ERROR_GEN_FAILURE;
  }
}

// Copies text with its NUL when it fits: answers its length, else the size needed with the NUL.
template <typename Char>
DWORD CopyOut(const std::basic_string<Char>& text, Char* buffer, DWORD size) {
  if (buffer == nullptr || text.size() + 1 > size) return static_cast<DWORD>(text.size() + 1);
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = Char();
  return static_cast<DWORD>(text.size());
}

bool NameEndsWithPath(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return tail == "PATH";
}

}  // namespace

DWORD GetLastError() { return t_lastError; }

BOOL PathIsDirectoryW(LPCWSTR path) {
  return path != nullptr && Platform::IsDirectory(Platform::ToNativePath(std::wstring(path)));
}

BOOL CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES /*security*/) {
  if (path == nullptr) {
    t_lastError = ERROR_PATH_NOT_FOUND;
    return FALSE;
  }
  std::string native = Platform::ToNativePath(std::wstring(path));
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  if (mkdir(native.c_str(), 0755) != 0) {
    t_lastError = LastErrorFromErrno(errno);
    return FALSE;
  }
  t_lastError = ERROR_SUCCESS;
  return TRUE;
}

DWORD GetCurrentDirectoryW(DWORD bufferLength, LPWSTR buffer) {
  std::vector<char> native(4096);
  while (getcwd(native.data(), native.size()) == nullptr) {
    if (errno != ERANGE) {
      t_lastError = LastErrorFromErrno(errno);
      return 0;
    }
    native.resize(native.size() * 2);
  }
  return CopyOut(Platform::Utf8ToWide(native.data()), buffer, bufferLength);
}

DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
  const char* value = name == nullptr ? nullptr : std::getenv(name);
  if (value == nullptr) {
    t_lastError = ERROR_ENVVAR_NOT_FOUND;
    return 0;
  }
  return CopyOut(std::string(value), buffer, size);
}

BOOL SetEnvironmentVariableW(LPCWSTR name, LPCWSTR value) {
  if (name == nullptr) return FALSE;
  const std::string nativeName = Platform::WideToUtf8(name);
  if (value == nullptr) return unsetenv(nativeName.c_str()) == 0;
  std::string nativeValue = Platform::WideToUtf8(value);
  if (NameEndsWithPath(nativeName)) {
    for (char& c : nativeValue) {
      if (c == '\\') c = '/';
      if (c == ';') c = ':';
    }
  }
  return setenv(nativeName.c_str(), nativeValue.c_str(), 1) == 0;
}
