#include "Platform/CodePage.h"

#include <gtest/gtest.h>

#include <stdexcept>

using Platform::CodePage;

TEST(CodePage, WindowsLocaleNamesMapToTheirAnsiCodePage) {
  const struct {
    const char* locale;
    const char* encoding;
  } cases[] = {
      {"Russian", "CP1251"},         {"russian", "CP1251"},  {"Russian_Russia.1251", "CP1251"},
      {".1251", "CP1251"},           {"ru-RU", "CP1251"},    {"rus", "CP1251"},
      {"English", "CP1252"},         {"German_Germany", "CP1252"}, {"Polish", "CP1250"},
      {"Greek", "CP1253"},           {"Japanese", "CP932"},  {"English_United States.1252", "CP1252"},
      {"C", "ISO-8859-1"},           {"Klingon", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CodePage::EncodingForLocale(c.locale), c.encoding) << c.locale;
}

TEST(CodePage, RussianConvertsBothWays) {
  const CodePage russian("Russian");
  EXPECT_EQ(russian.LocaleName(), "Russian");
  const std::wstring wide = L"\x041F\x0440\x0438\x0432\x0435\x0442 1.5";
  const std::string narrow = "\xCF\xF0\xE8\xE2\xE5\xF2 1.5";
  std::string toNarrow;
  ASSERT_TRUE(russian.ToNarrow(wide, toNarrow));
  EXPECT_EQ(toNarrow, narrow);
  std::wstring toWide;
  ASSERT_TRUE(russian.ToWide(narrow, toWide));
  EXPECT_EQ(toWide, wide);
}

TEST(CodePage, AnUnrepresentableCharacterFailsAndLeavesTheOutputAlone) {
  const CodePage russian("Russian");
  std::string out = "untouched";
  EXPECT_FALSE(russian.ToNarrow(L"a\x4E00z", out));
  EXPECT_EQ(out, "untouched");
  std::wstring wide = L"untouched";
  EXPECT_FALSE(CodePage("Japanese").ToWide("\x82", wide)) << "a lone lead byte is no character";
  EXPECT_EQ(wide, L"untouched");
}

TEST(CodePage, AnUnknownLocaleIsRefusedAsTheStandardLibraryWould) {
  EXPECT_THROW(CodePage("Klingon"), std::runtime_error);
}
