#include "Platform/NativePath.h"
#include "Platform/Win32.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

// The documents entry of the XDG user folders file: XDG_DOCUMENTS_DIR="$HOME/Documents".
std::string DocumentsFromUserDirsFile(const std::string& home) {
  std::string configHome = Environment("XDG_CONFIG_HOME");
  if (configHome.empty()) configHome = home + "/.config";
  std::ifstream file(configHome + "/user-dirs.dirs");
  const std::string key = "XDG_DOCUMENTS_DIR=";
  std::string line;
  while (std::getline(file, line)) {
    if (line.compare(0, key.size(), key) != 0) continue;
    std::string value = line.substr(key.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    if (value.compare(0, 5, "$HOME") == 0) value = home + value.substr(5);
    return value;
  }
  return std::string();
}

std::string DocumentsFolder() {
  std::string folder = Environment("XDG_DOCUMENTS_DIR");
  const std::string home = Environment("HOME");
  if (folder.empty() && !home.empty()) folder = DocumentsFromUserDirsFile(home);
  if (folder.empty() && !home.empty()) folder = home + "/Documents";
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

BOOL SHGetSpecialFolderPathW(HWND /*owner*/, LPWSTR path, int csidl, BOOL create) {
  if (path == nullptr || csidl != CSIDL_PERSONAL) return FALSE;
  const std::string folder = DocumentsFolder();
  if (folder.empty()) return FALSE;
  if (!Platform::IsDirectory(folder)) {
    if (!create || mkdir(folder.c_str(), 0755) != 0) return FALSE;
  }
  const std::wstring wide = Platform::Utf8ToWide(folder);
  if (wide.size() >= MAX_PATH) return FALSE;
  std::copy(wide.begin(), wide.end(), path);
  path[wide.size()] = L'\0';
  return TRUE;
}
