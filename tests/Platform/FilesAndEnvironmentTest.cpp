#include "Platform/NativePath.h"
#include "Platform/Win32.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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
