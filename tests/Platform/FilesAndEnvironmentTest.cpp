#include "Platform/NativePath.h"
#include "Platform/Win32.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

using TestSupport::ScopedEnvironment;
using TestSupport::TempFolder;

namespace {

std::wstring Wide(const std::string& text) { return Platform::Utf8ToWide(text); }

std::wstring DocumentsFolder() {
  wchar_t buffer[1024] = L"";
  return SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_PERSONAL, TRUE) ? std::wstring(buffer) : L"<failed>";
}

}  // namespace

TEST(Folders, DirectoriesAreTestedAndMadeOneLevelAtATime) {
  TempFolder folder;
  folder.Write("file.txt", "x");
  EXPECT_TRUE(PathIsDirectoryW(Wide(folder.Path().string()).c_str()));
  EXPECT_FALSE(PathIsDirectoryW(Wide(folder / "file.txt").c_str()));
  EXPECT_FALSE(PathIsDirectoryW(Wide(folder / "missing").c_str()));

  const std::wstring made = Wide(folder.Path().string()) + L"\\Glintmoor_Dawnkeel\\";
  EXPECT_TRUE(CreateDirectoryW(made.c_str(), nullptr));
  EXPECT_TRUE(PathIsDirectoryW(made.c_str()));
  EXPECT_FALSE(CreateDirectoryW(made.c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(CreateDirectoryW((Wide(folder / "a") + L"\\b").c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(Folders, CurrentDirectoryAnswersItsLengthOrTheSizeNeeded) {
  const std::wstring expected = Wide(std::filesystem::current_path().string());
  wchar_t tiny[2];
  EXPECT_EQ(GetCurrentDirectoryW(2, tiny), expected.size() + 1);
  wchar_t buffer[4096];
  ASSERT_EQ(GetCurrentDirectoryW(4096, buffer), expected.size());
  EXPECT_EQ(std::wstring(buffer), expected);
}

TEST(Environment, VariablesAreReadAndPathListsTranslated) {
  ScopedEnvironment clean("KORVEX_TEST_PYTHONPATH", nullptr);
  char buffer[256];
  EXPECT_EQ(GetEnvironmentVariableA("KORVEX_TEST_PYTHONPATH", buffer, sizeof buffer), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));

  ASSERT_TRUE(SetEnvironmentVariableW(L"KORVEX_TEST_PYTHONPATH", L"/game\\scripts\\;/other"));
  EXPECT_STREQ(std::getenv("KORVEX_TEST_PYTHONPATH"), "/game/scripts/:/other");
  EXPECT_EQ(GetEnvironmentVariableA("KORVEX_TEST_PYTHONPATH", buffer, 3), 22u) << "too small: the size needed";
  EXPECT_EQ(GetEnvironmentVariableA("KORVEX_TEST_PYTHONPATH", buffer, sizeof buffer), 21u);
  EXPECT_STREQ(buffer, "/game/scripts/:/other");

  ScopedEnvironment plain("KORVEX_TEST_VALUE", nullptr);
  ASSERT_TRUE(SetEnvironmentVariableW(L"KORVEX_TEST_VALUE", L"a\\b;c"));
  EXPECT_STREQ(std::getenv("KORVEX_TEST_VALUE"), "a\\b;c") << "only path lists are translated";
}

TEST(DocumentsFolder, FollowsXdgThenHomeAndIsMadeWhenMissing) {
  TempFolder home;
  ScopedEnvironment homeVariable("HOME", home.Path().c_str());
  ScopedEnvironment config("XDG_CONFIG_HOME", nullptr);
  ScopedEnvironment documents("XDG_DOCUMENTS_DIR", nullptr);

  EXPECT_EQ(DocumentsFolder(), Wide(home / "Documents"));
  EXPECT_TRUE(Platform::IsDirectory(home / "Documents")) << "made when missing";

  home.Write(".config/user-dirs.dirs", "# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Docs\xD0\x94\"\n");
  EXPECT_EQ(DocumentsFolder(), Wide(home / "Docs\xD0\x94"));

  ScopedEnvironment explicitFolder("XDG_DOCUMENTS_DIR", (home / "Explicit/").c_str());
  EXPECT_EQ(DocumentsFolder(), Wide(home / "Explicit"));
}

TEST(DocumentsFolder, FailsWhenThereIsNoHomeAndNoXdgFolder) {
  ScopedEnvironment homeVariable("HOME", nullptr);
  ScopedEnvironment documents("XDG_DOCUMENTS_DIR", nullptr);
  EXPECT_EQ(DocumentsFolder(), L"<failed>");
}

namespace {

// Every name of a listing with its directory flag, in the order the listing gives them.
std::vector<std::pair<std::wstring, bool>> ListAll(const std::wstring& pattern) {
  std::vector<std::pair<std::wstring, bool>> names;
  WIN32_FIND_DATAW found{};
  const HANDLE listing = FindFirstFileW(pattern.c_str(), &found);
  if (listing == INVALID_HANDLE_VALUE) return names;
  do {
    names.emplace_back(found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
  } while (FindNextFileW(listing, &found));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  EXPECT_TRUE(FindClose(listing));
  return names;
}

}  // namespace

TEST(FolderListings, ListEveryEntryOfABackslashPatternWithItsDirectoryFlag) {
  TempFolder folder;
  folder.Write("Splash/one.dds", "1");
  folder.Write("Splash/noDot", "2");
  folder.Write("Splash/inner/three.dds", "3");
  std::vector<std::pair<std::wstring, bool>> names = ListAll(Wide(folder.Path().string()) + L"\\splash\\*.*");
  std::sort(names.begin(), names.end());
  const std::vector<std::pair<std::wstring, bool>> expected{
      {L".", true}, {L"..", true}, {L"inner", true}, {L"noDot", false}, {L"one.dds", false}};
  EXPECT_EQ(names, expected) << "the folder is found without regard to case; *.* matches names without a dot";
  const std::vector<std::pair<std::wstring, bool>> dds = ListAll(Wide(folder.Path().string()) + L"\\Splash\\*.DDS");
  EXPECT_EQ(dds, (std::vector<std::pair<std::wstring, bool>>{{L"one.dds", false}}));
}

TEST(FolderListings, AMissingFolderOrNoMatchGivesAnInvalidHandle) {
  TempFolder folder;
  folder.Write("a.txt", "1");
  WIN32_FIND_DATAW found{};
  EXPECT_EQ(FindFirstFileW((Wide(folder.Path().string()) + L"\\missing\\*.*").c_str(), &found), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(FindFirstFileW((Wide(folder.Path().string()) + L"\\*.png").c_str(), &found), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}
