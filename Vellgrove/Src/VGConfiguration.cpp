#include "VGConfiguration.h"

#include "GameGlobals.h"
#include "SEngineException.h"
#include "SFileHelpers.h"
#include "SLoger.h"
#include "SXMLDeserializator.h"
#include "VGUsersFile.h"
#include "srethrow.h"

#include "Platform/CodePage.h"
#include "Platform/NativePath.h"

namespace Vellgrove {

namespace {

const char* const kSourcePath = "..\\Src\\VGConfiguration";

void ReadScreen(SCore::SDeserializator& reader, VGConfiguration& configuration) {
  reader.DoBeginChild("screen");
  reader.DoDeserialize("appname", configuration.appName);
  reader.DoDeserialize("width", configuration.width);
  reader.DoDeserialize("height", configuration.height);
  reader.DoDeserialize("bitperpixel", configuration.bitsPerPixel);
  reader.DoDeserialize("fullscreen", configuration.fullScreen);
  reader.DoDeserialize("texturepath", configuration.texturePath);
  reader.DoEndChild();
}

void ReadBonusLives(SCore::SDeserializator& reader, VGConfiguration& configuration) {
  reader.DoBeginChild("bonus_life");
  const unsigned int count = reader.DoGetChildCount();
  for (unsigned int i = 0; i < count; ++i) {
    reader.DoBeginChild(i);
    unsigned int score = 0;
    reader.DoDeserialize("score", score);
    configuration.bonusLives.push_back(score);
    reader.DoEndChild();
  }
  reader.DoEndChild();
}

void ReadLevelMove(SCore::SDeserializator& reader, VGConfiguration& configuration) {
  reader.DoBeginChild("level_move");
  reader.DoDeserialize("force", configuration.moveForce);
  reader.DoDeserialize("attenuation", configuration.moveAttenuation);
  reader.DoEndChild();
}

// Every later conversion goes through this locale, so a name without a code page is refused here.
void ReadLocale(SCore::SDeserializator& reader) {
  std::string locale;
  reader.DoDeserialize("locale", locale);
  if (Platform::CodePage::EncodingForLocale(locale).empty()) {
    throw KorvexEngine::SEngineException(("unknown locale:" + locale).c_str());
  }
  g_Locale = locale;
}

struct Localisation {
  std::wstring fontPath;
  std::string fontName;
  float fontCharsH = 0.0f;
  float fontCharsW = 0.0f;
  SCore::SRect fontIndent;
  std::wstring stringsPath;
  std::wstring trophiesPath;
  float menuIfThisWidth = 0.0f;
  float menuIfThisTexWidth = 0.0f;
};

void ReadPath(SCore::SDeserializator& reader, const char* element, std::wstring& path) {
  reader.DoBeginChild(element);
  reader.DoDeserialize("path", path);
  reader.DoEndChild();
}

void ReadFont(SCore::SDeserializator& reader, Localisation& localisation) {
  reader.DoBeginChild("font");
  reader.DoDeserialize("path", localisation.fontPath);
  reader.DoDeserialize("name", localisation.fontName);
  reader.DoDeserialize("charsH", localisation.fontCharsH);
  reader.DoDeserialize("charsW", localisation.fontCharsW);
  reader.DoDeserialize("indent", localisation.fontIndent);
  reader.DoEndChild();
}

void ReadMenu(SCore::SDeserializator& reader, Localisation& localisation) {
  reader.DoBeginChild("menu");
  reader.DoBeginChild("ifthis");
  reader.DoDeserialize("width", localisation.menuIfThisWidth);
  reader.DoDeserialize("texwidth", localisation.menuIfThisTexWidth);
  reader.DoEndChild();
  reader.DoEndChild();
}

void StoreGlobals(const Localisation& localisation) {
  g_FontPath = localisation.fontPath;
  g_FontName = localisation.fontName;
  g_FontCharsH = localisation.fontCharsH;
  g_FontCharsW = localisation.fontCharsW;
  g_FontIndent = localisation.fontIndent;
  g_StringsPath = localisation.stringsPath;
  g_TrophiesPath = localisation.trophiesPath;
  g_MenuIfThisWidth = localisation.menuIfThisWidth;
  g_MenuIfThisTexWidth = localisation.menuIfThisTexWidth;
}

void ReadLocalisation(SCore::SDeserializator& reader) {
  reader.DoBeginChild("localization");
  ReadLocale(reader);
  Localisation localisation;
  ReadFont(reader, localisation);
  ReadPath(reader, "strings", localisation.stringsPath);
  ReadPath(reader, "trophies", localisation.trophiesPath);
  ReadMenu(reader, localisation);
  StoreGlobals(localisation);
  reader.DoEndChild();
}

// The flag of "users.xml"; the configured one when the file does not carry it.
bool ReadUsersFullScreen(const std::wstring& path, bool configured) {
  SCore::SXMLDeserializator reader(path);
  if (reader.DoIsHaveChild("Users")) reader.DoBeginChild("Users");
  if (!reader.DoIsHaveChild("Userprofiles")) return configured;
  reader.DoBeginChild("Userprofiles");
  if (!reader.DoIsAvialableName("IsFullScreen")) return configured;
  bool fullScreen = configured;
  reader.DoDeserialize("IsFullScreen", fullScreen);
  return fullScreen;
}

void LogUnreadableUsersFile(const std::wstring& path, const char* reason) {
  SCore::g_Loger << SCore::GetTimeStamp() << " The users file [" << Platform::WideToUtf8(path)
                 << "] cannot be read; the full-screen flag of the configuration stays: " << reason << "\n";
}

}  // namespace

VGConfiguration ReadConfiguration(const std::wstring& path) {
  KORVEX_TRY
    SCore::SXMLDeserializator reader(path);
    VGConfiguration configuration;
    reader.DoBeginChild("configuration");
    ReadScreen(reader, configuration);
    ReadBonusLives(reader, configuration);
    ReadLevelMove(reader, configuration);
    ReadLocalisation(reader);
    reader.DoEndChild();
    return configuration;
  KORVEX_RETHROW("ReadConfiguration()", kSourcePath)
}

void ApplyUsersFullScreen(VGConfiguration& configuration, const std::wstring& userFolder) {
  std::wstring path = userFolder;
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
  path += L"users.xml";
  if (!IsFileExists(path)) return;
  // A damaged users file must not keep the game from starting: it is read as if it were absent.
  // Whatever the profile manager will refuse, and set aside, is taken for damaged here too.
  try {
    ReadUsersFile(path);
    configuration.fullScreen = ReadUsersFullScreen(path, configuration.fullScreen);
  } catch (const SCore::KorvexCoreException& failure) {
    LogUnreadableUsersFile(path, failure.what());
  }
}

}  // namespace Vellgrove
