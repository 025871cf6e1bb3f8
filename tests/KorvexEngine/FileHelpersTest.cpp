#include "KorvexCoreException.h"
#include "SFileHelpers.h"

#include "Platform/NativePath.h"

#include "LogCapture.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>

using SCore::KorvexCoreException;
using TestSupport::ScopedEnvironment;
using TestSupport::TempFolder;

namespace {

std::wstring Wide(const std::string& text) { return Platform::Utf8ToWide(text); }

std::string FailureOf(const std::function<void()>& read) {
  try {
    read();
  } catch (const KorvexCoreException& error) {
    return error.what();
  }
  return "<no failure>";
}

}  // namespace

TEST(ReadFile, TextModeJoinsCarriageReturnLineFeedAndBytesModeKeepsEverything) {
  TempFolder folder;
  const std::string contents = "line one\r\nline two\rlone\n\r\n";
  const std::string path = folder.Write("Levels/Level1.xml", contents);
  EXPECT_EQ(ReadFileToString(Wide(path)), "line one\nline two\rlone\n\n");
  const std::vector<char> bytes = ReadFileToBytes(Wide(path));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), contents);

  const std::wstring windowsStyle = Wide(folder.Path().string()) + L"\\levels\\LEVEL1.XML";
  EXPECT_EQ(ReadFileToString(windowsStyle), "line one\nline two\rlone\n\n");
  EXPECT_TRUE(IsFileExists(windowsStyle));
}

TEST(ReadFile, AnEmptyFileReadsAsNothing) {
  TempFolder folder;
  const std::string path = folder.Write("empty.txt", "");
  EXPECT_EQ(ReadFileToString(Wide(path)), "");
  EXPECT_TRUE(ReadFileToBytes(Wide(path)).empty());
}

TEST(ReadFile, MissingFilesAndFoldersAreNotFoundWithTheirFullPath) {
  TempFolder folder;
  folder.Write("sub/x.txt", "x");
  const std::wstring paths[] = {
      Wide(folder / "missing.xml"),
      Wide(folder / "sub"),
      Wide(folder.Path().string()) + L"\\\x0414\x0430\x043D\x043D\x044B\x0435.xml",
  };
  for (const std::wstring& path : paths) {
    const std::string expected = "File [" + Platform::WideToUtf8(path) + "] not found";
    EXPECT_EQ(FailureOf([&] { ReadFileToString(path); }), expected);
    EXPECT_EQ(FailureOf([&] { ReadFileToBytes(path); }), expected);
    EXPECT_FALSE(IsFileExists(path));
  }
}

TEST(ReadFile, AReadThatFailsPartWayRaisesInsteadOfAnsweringPartOfTheFile) {
  // Answers some bytes, then fails as a disk error would.
  struct FailingBuffer : std::streambuf {
    char data[4] = {'a', 'b', 'c', 'd'};
    bool served = false;
    int_type underflow() override {
      if (served) throw std::ios_base::failure("read error");
      served = true;
      setg(data, data, data + 4);
      return traits_type::to_int_type(data[0]);
    }
  } buffer;
  std::istream stream(&buffer);
  EXPECT_EQ(FailureOf([&] { ReadStreamToBytes(stream, L"/data/x.dds"); }), "File [/data/x.dds] read error");
}

TEST(DocumentsPath, IsNeverEmptyAndFallsBackToHomeWithALogLine) {
  TempFolder home;
  ScopedEnvironment homeVariable("HOME", home.Path().c_str());
  ScopedEnvironment documents("XDG_DOCUMENTS_DIR", nullptr);
  ScopedEnvironment config("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(GetMyDocumentsPath(), Wide(home / "Documents"));

  // A documents folder that cannot be made: its parent is a plain file.
  home.Write("blocker", "x");
  ScopedEnvironment unusable("XDG_DOCUMENTS_DIR", (home / "blocker/Documents").c_str());
  TestSupport::LogCapture log;
  EXPECT_EQ(GetMyDocumentsPath(), Wide(home.Path().string()));
  EXPECT_NE(log.Text().find(L"GetMyDocumentsPath"), std::wstring::npos);
}
