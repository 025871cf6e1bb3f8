#include "GameTestSupport.h"
#include "LogCapture.h"
#include "TempFolder.h"
#include "VGConfiguration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

using namespace Vellgrove;
using GameTest::FailureOf;
using GameTest::Wide;
using ::testing::EndsWith;
using ::testing::HasSubstr;

namespace {

const std::string kConfiguration =
    "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
    "<configuration>\n"
    "  <screen appname=\"Glintmoor Dawnkeel\" width=\"1024\" height=\"768\" bitperpixel=\"32\" fullscreen=\"1\" "
    "texturepath=\"textures.xml\"></screen>\n"
    "  <bonus_life>\n"
    "    <life score=\"50000\"></life>\n"
    "    <extra score=\"150000\"></extra>\n"
    "    <life score=\"7\"></life>\n"
    "  </bonus_life>\n"
    "  <level_move force=\"1.25\" attenuation=\"0.5\"></level_move>\n"
    "  <localization locale=\"Russian\">\n"
    "    <font path=\"Res\\font.xml\" name=\"FONT\" charsH=\"16\" charsW=\"14\">\n"
    "      <indent X=\"0.125\" Y=\"0.25\" Width=\"0.75\" Height=\"0.5\"></indent>\n"
    "    </font>\n"
    "    <strings path=\"Res\\strings.xml\"></strings>\n"
    "    <trophies path=\"Res\\trophies.xml\"></trophies>\n"
    "    <menu>\n"
    "      <ifthis width=\"0.2\" texwidth=\"0.8\"></ifthis>\n"
    "    </menu>\n"
    "  </localization>\n"
    "</configuration>\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  if (at == std::string::npos) throw std::logic_error("fixture text not found: " + from);
  return text.replace(at, from.size(), to);
}

class Configuration : public ::testing::Test {
 protected:
  VGConfiguration Read(const std::string& text) {
    return ReadConfiguration(Wide(folder.Write("config.xml", text)));
  }

  GameTest::GlobalsRestorer restorer;
  TestSupport::TempFolder folder;
};

TEST_F(Configuration, ReadsEveryValueIntoItsFieldOrGlobal) {
  g_Locale.clear();
  const VGConfiguration configuration = Read(kConfiguration);
  EXPECT_EQ(configuration.appName, "Glintmoor Dawnkeel");
  EXPECT_EQ(configuration.width, 1024u);
  EXPECT_EQ(configuration.height, 768u);
  EXPECT_EQ(configuration.bitsPerPixel, 32u);
  EXPECT_TRUE(configuration.fullScreen);
  EXPECT_EQ(configuration.texturePath, "textures.xml");
  EXPECT_EQ(configuration.bonusLives, (std::vector<unsigned int>{50000, 150000, 7}));
  EXPECT_EQ(configuration.moveForce, 1.25f);
  EXPECT_EQ(configuration.moveAttenuation, 0.5f);
  EXPECT_EQ(g_Locale, "Russian");
  EXPECT_EQ(g_FontPath, L"Res\\font.xml");
  EXPECT_EQ(g_FontName, "FONT");
  EXPECT_EQ(g_FontCharsH, 16.0f);
  EXPECT_EQ(g_FontCharsW, 14.0f);
  EXPECT_EQ(g_FontIndent.X, 0.125f);
  EXPECT_EQ(g_FontIndent.Y, 0.25f);
  EXPECT_EQ(g_FontIndent.Width, 0.75f);
  EXPECT_EQ(g_FontIndent.Height, 0.5f);
  EXPECT_EQ(g_StringsPath, L"Res\\strings.xml");
  EXPECT_EQ(g_TrophiesPath, L"Res\\trophies.xml");
  EXPECT_EQ(g_MenuIfThisWidth, 0.2f);
  EXPECT_EQ(g_MenuIfThisTexWidth, 0.8f);
}

TEST_F(Configuration, AnEmptyBonusLifeGivesNoThresholdsAndTheLastScreenElementCounts) {
  std::string text = Replaced(kConfiguration, "    <life score=\"50000\"></life>\n", "");
  text = Replaced(text, "    <extra score=\"150000\"></extra>\n", "");
  text = Replaced(text, "    <life score=\"7\"></life>\n", "");
  text = Replaced(text, "  <bonus_life>", "  <screen appname=\"B\" width=\"640\" height=\"480\" bitperpixel=\"16\" "
                                          "fullscreen=\"0\" texturepath=\"t.xml\"></screen>\n  <bonus_life>");
  const VGConfiguration configuration = Read(text);
  EXPECT_TRUE(configuration.bonusLives.empty());
  EXPECT_EQ(configuration.width, 640u);
  EXPECT_FALSE(configuration.fullScreen);
}

struct BrokenCase {
  const char* from;  // an element's name, or a piece of an attribute
  const char* to;
  const char* readerMessage;
};

// Renames the element in its start and end tags; anything else is replaced where it stands.
std::string Broken(const BrokenCase& broken) {
  const std::string from = broken.from;
  if (from.find_first_of("=\"<") != std::string::npos) return Replaced(kConfiguration, from, broken.to);
  return std::regex_replace(kConfiguration, std::regex("(</?)" + from + "([ >])"), std::string("$1") + broken.to + "$2");
}

// Each required element and attribute, taken away one at a time, and values that are no numbers.
const BrokenCase kBrokenCases[] = {
    {"screen", "screens", "Deserializator error: can't find child node:screen"},
    {"appname=", "app=", "Attribute:appname not found"},
    {"width=\"1024\"", "w=\"1024\"", "Attribute:width not found"},
    {"height=\"768\"", "h=\"768\"", "Attribute:height not found"},
    {"bitperpixel=", "bpp=", "Attribute:bitperpixel not found"},
    {"fullscreen=", "full=", "Attribute:fullscreen not found"},
    {"texturepath=", "textures=", "Attribute:texturepath not found"},
    {"bonus_life", "bonus", "Deserializator error: can't find child node:bonus_life"},
    {"<extra score=", "<extra points=", "Attribute:score not found"},
    {"level_move", "move", "Deserializator error: can't find child node:level_move"},
    {"force=", "push=", "Attribute:force not found"},
    {"attenuation=", "damping=", "Attribute:attenuation not found"},
    {"localization", "localisation", "Deserializator error: can't find child node:localization"},
    {"locale=", "language=", "Attribute:locale not found"},
    {"font", "glyphs", "Deserializator error: can't find child node:font"},
    {"path=\"Res\\font.xml\"", "file=\"Res\\font.xml\"", "Attribute:path not found"},
    {"name=\"FONT\"", "texture=\"FONT\"", "Attribute:name not found"},
    {"charsH=", "rows=", "Attribute:charsH not found"},
    {"charsW=", "columns=", "Attribute:charsW not found"},
    {"indent", "margin", "Deserializator error: can't find child node:indent"},
    {"Height=\"0.5\"", "H=\"0.5\"", "Attribute:Height not found"},
    {"strings", "texts", "Deserializator error: can't find child node:strings"},
    {"<strings path=", "<strings file=", "Attribute:path not found"},
    {"trophies", "awards", "Deserializator error: can't find child node:trophies"},
    {"<trophies path=", "<trophies file=", "Attribute:path not found"},
    {"menu", "menus", "Deserializator error: can't find child node:menu"},
    {"ifthis", "ifthat", "Deserializator error: can't find child node:ifthis"},
    {"ifthis width=", "ifthis size=", "Attribute:width not found"},
    {"texwidth=", "texsize=", "Attribute:texwidth not found"},
    {"locale=\"Russian\"", "locale=\"Klingon\"", "unknown locale:Klingon"},
};

TEST_F(Configuration, EachMissingElementOrAttributeFailsWithTheReadersMessageUnderItsContext) {
  for (const BrokenCase& broken : kBrokenCases) {
    SCOPED_TRACE(broken.to);
    const std::string failure = FailureOf([&] { Read(Broken(broken)); });
    EXPECT_THAT(failure, HasSubstr(broken.readerMessage));
    EXPECT_THAT(failure, EndsWith(" ReadConfiguration() ..\\Src\\VGConfiguration at:"));
  }
}

TEST_F(Configuration, RefusesNumbersThatAreNotPlainDecimalTextNamingTheAttribute) {
  struct Case {
    const char* from;
    const char* to;
    const char* attribute;
  };
  const Case cases[] = {{"force=\"1.25\"", "force=\"1,1\"", "force"},
                        {"charsH=\"16\"", "charsH=\"1,1\"", "charsH"},
                        {"width=\"1024\"", "width=\"0x400\"", "width"},
                        {"fullscreen=\"1\"", "fullscreen=\"yes\"", "fullscreen"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to);
    EXPECT_THAT(FailureOf([&] { Read(Replaced(kConfiguration, c.from, c.to)); }),
                HasSubstr(std::string("of attribute[") + c.attribute + "]"));
  }
}

TEST_F(Configuration, AMissingOrMalformedFileIsNamed) {
  EXPECT_THAT(FailureOf([&] { ReadConfiguration(Wide(folder / "absent.xml")); }), HasSubstr("absent.xml] not found"));
  EXPECT_THAT(FailureOf([&] { Read("<configuration><screen></configuration>"); }),
              EndsWith(" ReadConfiguration() ..\\Src\\VGConfiguration at:"));
}

TEST_F(Configuration, KeepsTheOtherGlobalsWhenTheLocalisationFailsPartWay) {
  g_FontName = "before";
  g_StringsPath = L"before";
  EXPECT_NE(FailureOf([&] { Read(Replaced(kConfiguration, "texwidth=", "tw=")); }), "no failure");
  EXPECT_EQ(g_Locale, "Russian");
  EXPECT_EQ(g_FontName, "before");
  EXPECT_EQ(g_StringsPath, L"before");
}

// The full-screen flag of "users.xml", as start-up sees it.
class UsersFullScreen : public ::testing::Test {
 protected:
  bool Applied(bool configured, const char* usersFile) {
    if (usersFile != nullptr) written = folder.Write("users.xml", usersFile);
    VGConfiguration configuration;
    configuration.fullScreen = configured;
    ApplyUsersFullScreen(configuration, Wide(folder.Path().string() + "/"));
    return configuration.fullScreen;
  }

  TestSupport::TempFolder folder;
  std::string written;
};

// The attributes a users file cannot be read without.
#define REQUIRED_USERS_ATTRIBUTES "Current=\"\" MusicVolume=\"1\" SoundVolume=\"1\""

TEST_F(UsersFullScreen, OverridesTheConfiguredFlagOnlyWhereTheFileCarriesIt) {
  struct Case {
    bool configured;
    const char* usersFile;
    bool expected;
  } const cases[] = {
      {true, nullptr, true},
      {false, nullptr, false},
      {true, "<Users><Userprofiles " REQUIRED_USERS_ATTRIBUTES " IsFullScreen=\"0\"></Userprofiles></Users>", false},
      {false, "<Users><Userprofiles " REQUIRED_USERS_ATTRIBUTES " IsFullScreen=\"1\"></Userprofiles></Users>", true},
      {true, "<Userprofiles " REQUIRED_USERS_ATTRIBUTES " IsFullScreen=\"0\"></Userprofiles>", false},
      {true, "<Users><Userprofiles " REQUIRED_USERS_ATTRIBUTES "></Userprofiles></Users>", true},
      // What the players' manager would set aside counts as no file.
      {true, "<Users><Userprofiles IsFullScreen=\"0\"></Userprofiles></Users>", true},
      {false, "<Users><Other IsFullScreen=\"1\"></Other></Users>", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.usersFile == nullptr ? "no users.xml" : c.usersFile);
    EXPECT_EQ(Applied(c.configured, c.usersFile), c.expected);
  }
}

TEST_F(UsersFullScreen, AFileTheParserRejectsCountsAsAbsentIsLoggedAndLeftAsItIs) {
  for (const char* broken : {"<Users><Userprofiles IsFullScreen=\"0\"></Users>",
                             "<Users><Userprofiles IsFullScreen=\"maybe\"></Userprofiles></Users>", ""}) {
    SCOPED_TRACE(broken);
    TestSupport::LogCapture log;
    EXPECT_TRUE(Applied(true, broken));
    EXPECT_EQ(TestSupport::ReadBytes(written), broken);
    const std::wstring text = log.Text();
    EXPECT_NE(text.find(L"users.xml] cannot be read; the full-screen flag of the configuration stays"),
              std::wstring::npos)
        << Platform::WideToUtf8(text);
  }
}

}  // namespace
