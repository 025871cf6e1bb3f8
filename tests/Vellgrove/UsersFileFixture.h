// A documents folder of the test's own (XDG_DOCUMENTS_DIR), so that the users file the game reads
// and writes lies where the test can look at it and is gone afterwards.
#pragma once

#include "GameGlobals.h"
#include "LogCapture.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace GameTest {

class DocumentsFolder {
 public:
  DocumentsFolder() : m_locale(Vellgrove::g_Locale) {
    static int counter = 0;
    m_folder = std::filesystem::temp_directory_path() /
               ("vellgrove-documents-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(m_folder);
    std::filesystem::create_directories(m_folder);
    const char* previous = std::getenv("XDG_DOCUMENTS_DIR");
    m_hadPrevious = previous != nullptr;
    if (m_hadPrevious) m_previous = previous;
    setenv("XDG_DOCUMENTS_DIR", m_folder.c_str(), 1);
    Vellgrove::g_Locale = "Russian";
  }
  ~DocumentsFolder() {
    if (m_hadPrevious) {
      setenv("XDG_DOCUMENTS_DIR", m_previous.c_str(), 1);
    } else {
      unsetenv("XDG_DOCUMENTS_DIR");
    }
    Vellgrove::g_Locale = m_locale;
    std::error_code ignored;
    std::filesystem::permissions(GameFolder(), std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(m_folder, ignored);
  }
  DocumentsFolder(const DocumentsFolder&) = delete;
  DocumentsFolder& operator=(const DocumentsFolder&) = delete;

  std::filesystem::path GameFolder() const { return m_folder / "Glintmoor_Dawnkeel"; }
  std::filesystem::path UsersFile() const { return GameFolder() / "users.xml"; }

  void WriteUsersFile(const std::string& bytes) const { Write(UsersFile(), bytes); }

  static void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Read(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

 private:
  std::filesystem::path m_folder;
  std::string m_previous;
  bool m_hadPrevious = false;
  std::string m_locale;
};

}  // namespace GameTest
