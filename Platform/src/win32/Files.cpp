#include "Platform/NativePath.h"
#include "Platform/Win32.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
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

char FoldCase(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// '*' any run of characters, '?' one character, letters without regard to ASCII case.
bool MatchesWildcard(const char* name, const char* pattern) {
  if (*pattern == '\0') return *name == '\0';
  if (*pattern == '*') return MatchesWildcard(name, pattern + 1) || (*name != '\0' && MatchesWildcard(name + 1, pattern));
  if (*name == '\0') return false;
  return (*pattern == '?' || FoldCase(*pattern) == FoldCase(*name)) && MatchesWildcard(name + 1, pattern + 1);
}

// An open listing: the folder, the name pattern and the system's cursor over the entries.
struct FolderListing {
  std::string folder;
  std::string pattern;
  DIR* entries;
};

// Fills the record from the next entry that matches; false at the end of the listing.
bool NextMatch(FolderListing& listing, WIN32_FIND_DATAW* found) {
  while (const dirent* entry = readdir(listing.entries)) {
    if (!MatchesWildcard(entry->d_name, listing.pattern.c_str())) continue;
    const std::wstring name = Platform::Utf8ToWide(entry->d_name);
    if (name.size() >= MAX_PATH) continue;
    std::copy(name.begin(), name.end(), found->cFileName);
    found->cFileName[name.size()] = L'\0';
    found->dwFileAttributes = Platform::IsDirectory(listing.folder + "/" + entry->d_name) ? FILE_ATTRIBUTE_DIRECTORY
                                                                                          : FILE_ATTRIBUTE_NORMAL;
    return true;
  }
  return false;
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

HANDLE FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW found) {
  if (pattern == nullptr || found == nullptr) {
    t_lastError = ERROR_PATH_NOT_FOUND;
    return INVALID_HANDLE_VALUE;
  }
  std::string native = Platform::WideToUtf8(pattern);
  std::replace(native.begin(), native.end(), '\\', '/');
  const std::size_t slash = native.rfind('/');
  std::unique_ptr<FolderListing> listing(new FolderListing);
  listing->folder = slash == std::string::npos ? "." : Platform::ToNativePath(native.substr(0, slash));
  listing->pattern = slash == std::string::npos ? native : native.substr(slash + 1);
  // "*.*" names every entry on the original platform, also those without a dot.
  if (listing->pattern == "*.*") listing->pattern = "*";
  listing->entries = opendir(listing->folder.c_str());
  if (listing->entries == nullptr) {
    t_lastError = LastErrorFromErrno(errno);
    return INVALID_HANDLE_VALUE;
  }
  if (!NextMatch(*listing, found)) {
    closedir(listing->entries);
    t_lastError = ERROR_FILE_NOT_FOUND;
    return INVALID_HANDLE_VALUE;
  }
  t_lastError = ERROR_SUCCESS;
  return listing.release();
}

BOOL FindNextFileW(HANDLE listing, LPWIN32_FIND_DATAW found) {
  if (listing == nullptr || listing == INVALID_HANDLE_VALUE || found == nullptr) return FALSE;
  if (!NextMatch(*static_cast<FolderListing*>(listing), found)) {
    t_lastError = ERROR_NO_MORE_FILES;
    return FALSE;
  }
  return TRUE;
}

BOOL FindClose(HANDLE listing) {
  if (listing == nullptr || listing == INVALID_HANDLE_VALUE) return FALSE;
  FolderListing* open = static_cast<FolderListing*>(listing);
  closedir(open->entries);
  delete open;
  return TRUE;
}
