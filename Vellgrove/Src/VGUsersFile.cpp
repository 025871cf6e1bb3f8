#include "VGUsersFile.h"

#include "KorvexCoreException.h"
#include "SFileHelpers.h"
#include "SLoger.h"
#include "STinyXMLDeserializator.h"
#include "SXMLSerializator.h"

#include "Platform/CodePage.h"
#include "Platform/NativePath.h"

#include <cmath>

namespace Vellgrove {

namespace {

const char* const kCodePage = "Russian";  // windows-1251
const char* const kHeader = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n";

void Log(const std::string& line) { SCore::g_Loger << SCore::GetTimeStamp() << " " << line << "\n"; }

float ClampVolume(float volume) {
  if (!(volume > 0.0f)) return 0.0f;
  return volume < 1.0f ? volume : 1.0f;
}

std::string Printable(const std::wstring& name) { return Platform::WideToUtf8(name); }

// Each child of the current element, entered in turn.
template <typename Visit>
void ForEachChild(SCore::SDeserializator& reader, Visit visit) {
  for (unsigned int i = 0; i < reader.DoGetChildCount(); ++i) {
    reader.DoBeginChild(i);
    visit();
    reader.DoEndChild();
  }
}

template <typename Visit>
void InChildIfPresent(SCore::SDeserializator& reader, const char* name, Visit visit) {
  if (!reader.DoIsHaveChild(name)) return;
  reader.DoBeginChild(name);
  ForEachChild(reader, visit);
  reader.DoEndChild();
}

VGUserProfile ReadProfile(SCore::SDeserializator& reader) {
  VGUserProfile profile;
  reader.DoDeserialize("Name", profile.m_name);
  reader.DoDeserialize("Score", profile.m_score);
  // Written signed: a count that once went below zero reads as no lives, not four billion.
  int lifes = 0;
  reader.DoDeserialize("Lifes", lifes);
  profile.m_lifes = lifes < 0 ? 0u : static_cast<unsigned int>(lifes);
  reader.DoDeserialize("Level", profile.m_level);
  reader.DoDeserialize("BonusLevel", profile.m_bonusLevel);
  if (reader.DoIsAvialableName("LevelShowName")) reader.DoDeserialize("LevelShowName", profile.m_levelShowName);
  InChildIfPresent(reader, "Trophies", [&] {
    unsigned int id = 0;
    reader.DoDeserialize("Id", id);
    if (id >= VGUserProfile::kTrophyCount) {
      Log("users file: trophy " + std::to_string(id) + " of [" + Printable(profile.m_name) +
          "] is beyond the table of " + std::to_string(VGUserProfile::kTrophyCount) + "; skipped");
    }
    profile.AwardTrophy(id);
  });
  InChildIfPresent(reader, "DoneBonusLevels", [&] {
    unsigned int id = 0;
    reader.DoDeserialize("Id", id);
    // Files written before a replay stopped adding its level again list it more than once.
    profile.AddDoneBonusLevel(id);
  });
  return profile;
}

std::string ReadCodePageText(const std::wstring& path) {
  const std::vector<char> bytes = ReadFileToBytes(path);
  std::string text(bytes.begin(), bytes.end());
  std::wstring wide;
  if (!Platform::CodePage(kCodePage).ToWide(text, wide)) {
    throw SCore::KorvexCoreException("a byte that windows-1251 does not have");
  }
  return text;
}

void WriteProfile(SCore::SXMLSerializator& writer, const VGUserProfile& profile) {
  writer.DoBeginChild("Userprofile");
  writer.DoSerialize("Name", profile.m_name);
  writer.DoSerialize("Score", profile.m_score);
  writer.DoSerialize("Lifes", static_cast<int>(profile.m_lifes));
  writer.DoSerialize("Level", profile.m_level);
  writer.DoSerialize("LevelShowName", profile.m_levelShowName);
  writer.DoSerialize("BonusLevel", profile.m_bonusLevel);
  writer.DoSerialize("BonusLevelShowName", profile.m_levelShowName);
  writer.DoBeginChild("Trophies");
  for (unsigned int id = 0; id < VGUserProfile::kTrophyCount; ++id) {
    if (profile.m_trophies[id] == 0) continue;
    writer.DoBeginChild("Trophy");
    writer.DoSerialize("Id", id);
    writer.DoEndChild();
  }
  writer.DoEndChild();
  writer.DoBeginChild("DoneBonusLevels");
  for (const unsigned int id : profile.m_doneBonusLevels) {
    writer.DoBeginChild("BonusLevel");
    writer.DoSerialize("Id", id);
    writer.DoEndChild();
  }
  writer.DoEndChild();
  writer.DoEndChild();
}

}  // namespace

VGUsersFileContent ReadUsersFile(const std::wstring& path) {
  SCore::STinyXMLDeserializator reader(kCodePage);
  reader.DoParseText(ReadCodePageText(path));
  VGUsersFileContent content;
  const bool inUsers = reader.DoIsHaveChild("Users");
  if (inUsers) reader.DoBeginChild("Users");
  if (!reader.DoIsHaveChild("Userprofiles")) return content;
  reader.DoBeginChild("Userprofiles");
  ForEachChild(reader, [&] { content.profiles.push_back(ReadProfile(reader)); });
  content.hasCurrent = true;
  reader.DoDeserialize("Current", content.current);
  reader.DoDeserialize("MusicVolume", content.musicVolume);
  reader.DoDeserialize("SoundVolume", content.soundVolume);
  if (reader.DoIsAvialableName("IsFullScreen")) reader.DoDeserialize("IsFullScreen", content.isFullScreen);
  content.musicVolume = ClampVolume(content.musicVolume);
  content.soundVolume = ClampVolume(content.soundVolume);
  reader.DoEndChild();
  if (reader.DoIsHaveChild("HighScore")) content.highScore.Read(reader);
  if (inUsers) reader.DoEndChild();
  return content;
}

void WriteUsersFile(const std::wstring& path, const VGUsersFileContent& content) {
  SCore::SXMLSerializator writer(path, kCodePage);
  writer.SetHeader(kHeader);
  writer.DoBeginChild("Users");
  writer.DoBeginChild("Userprofiles");
  for (const VGUserProfile& profile : content.profiles) WriteProfile(writer, profile);
  writer.DoSerialize("Current", content.hasCurrent ? content.current : std::wstring());
  writer.DoSerialize("MusicVolume", content.musicVolume);
  writer.DoSerialize("SoundVolume", content.soundVolume);
  writer.DoSerialize("IsFullScreen", content.isFullScreen);
  writer.DoEndChild();
  content.highScore.Write(writer);
  writer.DoEndChild();
  writer.DoFlush();
}

}  // namespace Vellgrove
