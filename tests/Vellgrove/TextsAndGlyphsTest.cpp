#include "FontGlyphs.h"
#include "GameTestSupport.h"
#include "TempFolder.h"
#include "TexelCentre.h"
#include "VGTextManager.h"
#include "WideToNarrow.h"

#include <boost/make_shared.hpp>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Vellgrove;
using GameTest::FailureOf;
using GameTest::Wide;

namespace {

// "Привет" and "Игрок" as windows-1251 bytes and as Unicode.
const char* const kHelloCp1251 = "\xCF\xF0\xE8\xE2\xE5\xF2";
const wchar_t* const kHello = L"\u041F\u0440\u0438\u0432\u0435\u0442";
const char* const kPlayerCp1251 = "\xC8\xE3\xF0\xEE\xEA";
const wchar_t* const kPlayer = L"\u0418\u0433\u0440\u043E\u043A";

TEST(WideToNarrow, ConvertsThroughTheConfiguredLocaleAndNamesItWhenItCannot) {
  GameTest::GlobalsRestorer restorer;
  g_Locale = "Russian";
  EXPECT_EQ(WideToNarrow(L""), "");
  EXPECT_EQ(WideToNarrow(std::wstring(L"Level ") + kHello), std::string("Level ") + kHelloCp1251);
  EXPECT_EQ(FailureOf([] { WideToNarrow(L"\u4E2D"); }), "Cannot convert wstring to string. Locale: Russian");
  EXPECT_EQ(FailureOf([] { WideToNarrow(std::wstring(L"x\u00E9")); }),
            "Cannot convert wstring to string. Locale: Russian");
  g_Locale = "Klingon";
  EXPECT_EQ(FailureOf([] { WideToNarrow(L"x"); }), "Cannot convert wstring to string. Locale: Klingon");
}

TEST(TexelCentre, SnapsToThePixelOfTheReferenceScreenAndStepsBackHalfOfIt) {
  struct Case {
    float v, n, expected;
  } const cases[] = {
      {0.0f, 1024.0f, -0.5f / 1024.0f},
      {0.5f, 1024.0f, 511.5f / 1024.0f},
      {0.263f, 768.0f, 200.5f / 768.0f},           // 201.98 truncates to 201
      {0.330566406f, 1024.0f, 337.5f / 1024.0f},   // the "press space" sprite's x
      {0.41796875f, 768.0f, 320.5f / 768.0f},      // and its y
      {1.0f, 768.0f, 767.5f / 768.0f},
      {-0.3f, 1024.0f, -307.5f / 1024.0f},         // toward zero, not downwards
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.v);
    EXPECT_FLOAT_EQ(TexelCentre(c.v, c.n), c.expected);
  }
  EXPECT_NEAR(TexelCentre(0.330566406f, 1024.0f), 0.32958984f, 1e-7f);
  EXPECT_NEAR(TexelCentre(0.41796875f, 768.0f), 0.41731772f, 1e-7f);
}

class Texts : public ::testing::Test {
 protected:
  void SetUp() override { g_Locale = "Russian"; }

  std::wstring Strings(const std::string& children) {
    return Wide(folder.Write("strings.xml", "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<strings>\n" +
                                                children + "</strings>\n"));
  }

  GameTest::GlobalsRestorer restorer;
  TestSupport::TempFolder folder;
  VGTextManager texts;
};

TEST_F(Texts, FindsKeysReadsCyrillicThroughTheLocaleAndTheLaterDuplicateWins) {
  texts.Load(Strings(std::string("  <s key=\"APPNAME\" value=\"Glintmoor Dawnkeel\"/>\n") +
                     "  <text key=\"WELCOME\" value=\"" + kHelloCp1251 + ", \"/>\n" +
                     "  <s key=\"PLAYER\" value=\"Player\"/>\n" + "  <s key=\"PLAYER\" value=\"" + kPlayerCp1251 +
                     "\"/>\n" + "  <s key=\"AMP\" value=\"A &amp; B\"></s>\n"));
  EXPECT_EQ(texts.GetText("APPNAME"), L"Glintmoor Dawnkeel");
  EXPECT_EQ(texts.GetText("WELCOME"), std::wstring(kHello) + L", ");
  EXPECT_EQ(texts.GetText("PLAYER"), kPlayer);
  EXPECT_EQ(texts.GetText("AMP"), L"A & B");
  EXPECT_EQ(FailureOf([&] { texts.GetText("player"); }),
            "key:player not found VGTextManager::GetText() ..\\Src\\VGTextManager at:");
}

TEST_F(Texts, AnEmptyTableFailsTheFirstLookup) {
  texts.Load(Strings(""));
  EXPECT_EQ(FailureOf([&] { texts.GetText("APPNAME"); }),
            "key:APPNAME not found VGTextManager::GetText() ..\\Src\\VGTextManager at:");
}

TEST_F(Texts, ABrokenFileFailsUnderItsContextAndAddsNothing) {
  texts.Load(Strings("  <s key=\"KEPT\" value=\"old\"/>\n"));
  struct Case {
    std::string children;
    const char* message;
  } const cases[] = {
      {"  <s key=\"KEPT\" value=\"new\"/>\n  <s key=\"LATER\"/>\n", "Deserializator error: can't find attribute:value"},
      {"  <s value=\"new\"/>\n", "Deserializator error: can't find attribute:key"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.children);
    EXPECT_THAT(FailureOf([&] { texts.Load(Strings(c.children)); }),
                ::testing::AllOf(::testing::StartsWith(c.message),
                                 ::testing::EndsWith(" VGTextManager::Load() ..\\Src\\VGTextManager at:")));
    EXPECT_EQ(texts.GetText("KEPT"), L"old");
  }
  EXPECT_THAT(FailureOf([&] { texts.Load(Wide(folder / "absent.xml")); }),
              ::testing::AllOf(::testing::StartsWith("can't load xml file: "), ::testing::HasSubstr("absent.xml")));
  EXPECT_THAT(FailureOf([&] { texts.Load(Wide(folder.Write("other.xml", "<texts></texts>"))); }),
              ::testing::StartsWith("Deserializator error: can't find child node:strings"));
}

TEST_F(Texts, GetTextLooksUpTheGlobalTableAndGivesACopy) {
  g_TextManager.Load(Strings(std::string("  <s key=\"GLOBALTEST\" value=\"") + kPlayerCp1251 + "\"/>\n"));
  std::wstring text = GetText("GLOBALTEST");
  EXPECT_EQ(text, kPlayer);
  text += L"!";
  EXPECT_EQ(GetText("GLOBALTEST"), kPlayer);
  EXPECT_EQ(FailureOf([] { GetText("NOSUCHKEY"); }),
            "key:NOSUCHKEY not found VGTextManager::GetText() ..\\Src\\VGTextManager at:");
}

class Glyphs : public ::testing::Test {
 protected:
  void SetUp() override { saved.swap(g_FontGlyphs); }
  void TearDown() override { saved.swap(g_FontGlyphs); }

  void LoadTable(const std::string& children) {
    g_FontPath = Wide(folder.Write("font.xml", "<font>\n" + children + "</font>\n"));
    LoadFontGlyphs();
  }

  GameTest::GlobalsRestorer restorer;
  TestSupport::TempFolder folder;
  std::map<unsigned int, FontGlyph> saved;
};

TEST_F(Glyphs, TheTableReachesATextureFontWhoseOtherEntriesStay) {
  LoadTable("  <g code=\"65\" index=\"33\" width=\"0.8\"></g>\n"
            "  <glyph code=\"1040\" index=\"192\" width=\"0.75\"></glyph>\n"
            "  <g code=\"65\" index=\"34\" width=\"0.5\"></g>\n"
            "  <g code=\"65472\" index=\"192\" width=\"0.75\"></g>\n");
  ASSERT_EQ(g_FontGlyphs.size(), 3u);
  EXPECT_EQ(g_FontGlyphs[65].index, 34u);
  EXPECT_EQ(g_FontGlyphs[65].width, 0.5f);

  const auto font = boost::make_shared<KorvexEngine::STextureFont>(16.0f, 16.0f, 1.0f);
  font->WidthMap[L'z'] = 0.25f;
  font->IndexMap[L'z'] = 7;
  font->WidthMap[L'A'] = 1.0f;
  font->CacheValid = true;
  ApplyFontGlyphs(font);
  EXPECT_FALSE(font->CacheValid);
  EXPECT_EQ(font->IndexMap, (std::map<wchar_t, unsigned int>{{L'A', 34}, {L'z', 7}, {L'\u0410', 192}, {0xFFC0, 192}}));
  EXPECT_EQ(font->WidthMap, (std::map<wchar_t, float>{{L'A', 0.5f}, {L'z', 0.25f}, {L'\u0410', 0.75f}, {0xFFC0, 0.75f}}));
  // A byte of a narrow text widens to the code of the table's upper entries.
  font->SetText(std::string("\xC0"));
  EXPECT_EQ(font->Text, std::wstring(1, wchar_t(0xFFC0)));

  font->CacheValid = true;
  ApplyFontGlyphs(font);
  EXPECT_TRUE(font->CacheValid) << "the same table again changes nothing";
}

TEST_F(Glyphs, ABrokenTableFailsUnderItsContextAndAddsNothing) {
  LoadTable("  <g code=\"66\" index=\"1\" width=\"1\"></g>\n");
  EXPECT_THAT(FailureOf([&] { LoadTable("  <g code=\"67\" index=\"2\" width=\"1\"></g>\n  <g code=\"68\" index=\"3\"></g>\n"); }),
              ::testing::AllOf(::testing::StartsWith("Attribute:width not found"),
                               ::testing::EndsWith(" LoadFontGlyphs() ..\\Src\\FontGlyphs at:")));
  EXPECT_EQ(g_FontGlyphs.size(), 1u);
  EXPECT_EQ(FailureOf([] { ApplyFontGlyphs(nullptr); }),
            "no font to apply the glyph table to ApplyFontGlyphs() ..\\Src\\FontGlyphs at:");
}

}  // namespace
