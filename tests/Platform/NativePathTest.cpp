#include "Platform/NativePath.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

using Platform::ToNativePath;
using TestSupport::TempFolder;

TEST(NativePath, WideTextConvertsToUtf8AndBackWithoutDroppingBits) {
  const struct {
    std::wstring wide;
    std::string utf8;
  } cases[] = {
      {L"plain", "plain"},
      {std::wstring(1, wchar_t(0xE9)), "\xC3\xA9"},
      {std::wstring(1, wchar_t(0x20AC)), "\xE2\x82\xAC"},
      {std::wstring(1, wchar_t(0x1F600)), "\xF0\x9F\x98\x80"},
      {L"\x0414\x0430\x043D\x043D\x044B\x0435", "\xD0\x94\xD0\xB0\xD0\xBD\xD0\xBD\xD1\x8B\xD0\xB5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Platform::WideToUtf8(c.wide), c.utf8);
    EXPECT_EQ(Platform::Utf8ToWide(c.utf8), c.wide);
    EXPECT_TRUE(Platform::IsValidUtf8(c.utf8));
  }
  EXPECT_EQ(Platform::WideToUtf8(std::wstring(1, wchar_t(0x110000))), "\xEF\xBF\xBD");
  EXPECT_EQ(Platform::WideToUtf8(std::wstring(1, wchar_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_FALSE(Platform::IsValidUtf8("\xC0\x80")) << "overlong forms are not UTF-8";
  EXPECT_FALSE(Platform::IsValidUtf8("\xED\xA0\x80")) << "encoded surrogates are not UTF-8";
  // Names that are no UTF-8 survive the round trip, a truncated sequence included.
  for (const std::string bytes : {"a\xFF" "b", "\xE2\x82", "\xED\xA0\x80", "caf\xE9"}) {
    EXPECT_EQ(Platform::WideToUtf8(Platform::Utf8ToWide(bytes)), bytes);
  }
  EXPECT_EQ(Platform::Utf8ToWide("a\xFF" "b"), L"a\xDCFF" L"b");
}

TEST(NativePath, BackslashesAndCaseAreResolvedAgainstTheFolders) {
  TempFolder folder;
  folder.Write("Levels/Map.xml", "x");
  folder.Write("Data\xD0\x94/a.txt", "x");
  const std::string root = folder.Path().string();
  const struct {
    std::string asked;
    std::string expected;
  } cases[] = {
      {root + "\\Levels\\Map.xml", root + "/Levels/Map.xml"},
      {root + "\\levels\\MAP.XML", root + "/Levels/Map.xml"},
      {root + "/LEVELS/new.xml", root + "/Levels/new.xml"},
      {root + "\\NoSuch\\levels\\x", root + "/NoSuch/levels/x"},
      {root + "\\levels\\", root + "/Levels/"},
      {root + "\\Data\xD0\x94\\A.TXT", root + "/Data\xD0\x94/a.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(ToNativePath(c.asked), c.expected) << c.asked;
  EXPECT_EQ(ToNativePath(Platform::Utf8ToWide(root) + L"\\levels\\map.xml"), root + "/Levels/Map.xml");
  EXPECT_TRUE(Platform::IsRegularFile(ToNativePath(root + "\\levels\\map.xml")));
  EXPECT_FALSE(Platform::IsRegularFile(ToNativePath(root + "\\levels")));
  EXPECT_TRUE(Platform::IsDirectory(ToNativePath(root + "\\levels")));
}
