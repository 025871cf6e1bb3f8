#include "SFileHelpers.h"

#include "KorvexCoreException.h"
#include "SLoger.h"

#include "Platform/NativePath.h"
#include "Platform/Win32.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace {

[[noreturn]] void RaiseFileError(const std::wstring& path, const char* what) {
  const std::string message = "File [" + Platform::WideToUtf8(path) + "] " + what;
  throw SCore::KorvexCoreException(message.c_str());
}

std::vector<char> ReadAll(const std::wstring& path) {
  const std::string native = Platform::ToNativePath(path);
  std::ifstream file;
  if (Platform::IsRegularFile(native)) file.open(native, std::ios::in | std::ios::binary);
  if (!file.is_open() || !file) RaiseFileError(path, "not found");
  return ReadStreamToBytes(file, path);
}

bool IsWritableFolder(const std::string& path) { return Platform::IsDirectory(path) && access(path.c_str(), W_OK) == 0; }

// The home folder when the program may write there, else the working directory: the game's own
// folder is made inside the answer, never at the root of the file system.
std::wstring FallbackDocumentsFolder() {
  std::string home = std::getenv("HOME") == nullptr ? std::string() : std::getenv("HOME");
  while (home.size() > 1 && home.back() == '/') home.pop_back();
  if (!home.empty() && home != "/" && IsWritableFolder(home)) return Platform::Utf8ToWide(home);
  wchar_t current[4096];
  const DWORD length = GetCurrentDirectoryW(4096, current);
  if (length > 0 && length < 4096) return current;
  return L".";
}

}  // namespace

std::vector<char> ReadStreamToBytes(std::istream& stream, const std::wstring& path) {
  std::vector<char> bytes;
  char chunk[64 * 1024];
  // istream::read turns a failing read into badbit, which a plain end of file never sets.
  while (stream.read(chunk, sizeof chunk) || stream.gcount() > 0) {
    bytes.insert(bytes.end(), chunk, chunk + stream.gcount());
    if (stream.eof()) break;
  }
  if (stream.bad()) RaiseFileError(path, "read error");
  return bytes;
}

std::string ReadFileToString(const std::wstring& path) {
  const std::vector<char> bytes = ReadAll(path);
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text += bytes[i];
  }
  return text;
}

std::vector<char> ReadFileToBytes(const std::wstring& path) { return ReadAll(path); }

bool IsFileExists(const std::wstring& path) {
  const std::string native = Platform::ToNativePath(path);
  return Platform::IsRegularFile(native) && std::ifstream(native).good();
}

std::wstring GetMyDocumentsPath() {
  wchar_t buffer[1024] = L"";
  if (SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_PERSONAL, TRUE) && buffer[0] != L'\0') return buffer;
  const std::wstring fallback = FallbackDocumentsFolder();
  SCore::g_Loger << SCore::GetTimeStamp() << " GetMyDocumentsPath: no documents folder, using "
                 << Platform::WideToUtf8(fallback) << "\n";
  return fallback;
}
