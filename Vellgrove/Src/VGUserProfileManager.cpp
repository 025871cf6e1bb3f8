#include "VGUserProfileManager.h"

#include "GameGlobals.h"
#include "KorvexCoreException.h"
#include "SFileHelpers.h"
#include "SLoger.h"
#include "TScopedLock.h"
#include "VGUsersFile.h"

#include "Platform/CodePage.h"
#include "Platform/NativePath.h"
#include "Platform/Win32.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <system_error>

namespace Vellgrove {

boost::shared_ptr<VGUserProfileManager> g_UserProfileManager;

boost::shared_ptr<VGUserProfile> CurrentProfile() {
  return g_UserProfileManager ? g_UserProfileManager->GetCurrent() : boost::shared_ptr<VGUserProfile>();
}

namespace {

typedef KorvexEngine::TScopedLock<VGLockGuard> Hold;

}  // namespace

void StoreCurrentLives(int lives) {
  if (!g_UserProfileManager) return;
  Hold hold(g_UserProfileManager->GetLock());
  const boost::shared_ptr<VGUserProfile> current = g_UserProfileManager->GetCurrent();
  if (current) current->m_lifes = static_cast<unsigned int>(std::max(lives, 0));
}

namespace {

const unsigned int kNewProfileLives = 5;
const char* const kUsersFile = "users.xml";

void Log(const std::string& line) { SCore::g_Loger << SCore::GetTimeStamp() << " " << line << "\n"; }

}  // namespace

VGUserProfileManager::VGUserProfileManager() { Load(); }

VGUserProfileManager::~VGUserProfileManager() = default;

void VGUserProfileManager::Load() {
  Hold hold(m_lock);
  TakeContent(VGUsersFileContent());
  m_saveRefused = false;
  m_dataFolder = GetMyDocumentsPath() + L"\\Glintmoor_Dawnkeel\\";
  if (!PathIsDirectoryW(m_dataFolder.c_str())) CreateDirectoryW(m_dataFolder.c_str(), nullptr);
  RemoveLeftoverTemporaryFiles();
  const std::wstring path = GetUsersFilePath();
  // Existence by the folder entry alone: a file that exists but cannot be read must be set aside,
  // not taken for a first start and overwritten.
  if (!Platform::IsRegularFile(Platform::ToNativePath(path))) return;
  try {
    TakeContent(ReadUsersFile(path));
  } catch (const std::exception& failure) {
    TakeContent(VGUsersFileContent());
    SetAside(failure.what());
  }
}

// A save killed part-way leaves its temporary file beside the users file.
void VGUserProfileManager::RemoveLeftoverTemporaryFiles() const {
  const std::filesystem::path folder(Platform::ToNativePath(m_dataFolder));
  const std::string prefix = std::string(kUsersFile) + ".tmp";
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    std::error_code removeError;
    std::filesystem::remove(entry.path(), removeError);
    Log("Removed the unfinished save [" + entry.path().string() + "]");
  }
}

void VGUserProfileManager::SetAside(const std::string& reason) {
  const std::string target = Platform::ToNativePath(GetUsersFilePath());
  std::string aside = target + ".bad";
  for (int n = 1; std::filesystem::exists(aside); ++n) aside = target + ".bad." + std::to_string(n);
  std::error_code error;
  std::filesystem::rename(target, aside, error);
  if (error) {
    m_saveRefused = true;
    Log("The users file [" + target + "] cannot be read (" + reason +
        ") nor set aside (" + error.message() + "); the game starts without players and will not overwrite it");
    return;
  }
  Log("The users file [" + target + "] cannot be read (" + reason + "); kept as [" + aside +
      "], the game starts without players");
}

void VGUserProfileManager::TakeContent(const VGUsersFileContent& content) {
  m_profiles.clear();
  m_current.reset();
  for (const VGUserProfile& profile : content.profiles) {
    m_profiles.push_back(boost::shared_ptr<VGUserProfile>(new VGUserProfile(profile)));
  }
  m_musicVolume = content.musicVolume;
  m_soundVolume = content.soundVolume;
  m_isFullScreen = content.isFullScreen;
  m_highScore = content.highScore;
  SelectProfile(content.current);
  // Every caller relies on a current profile whenever there are profiles.
  if (!m_current && !m_profiles.empty()) {
    if (content.hasCurrent) {
      Log("users file: the current player [" + Platform::WideToUtf8(content.current) +
          "] is not among the players; the first one is chosen");
    }
    m_current = m_profiles.front();
  }
}

VGUsersFileContent VGUserProfileManager::CopyContent() {
  VGUsersFileContent content;
  for (const boost::shared_ptr<VGUserProfile>& profile : m_profiles) content.profiles.push_back(*profile);
  content.hasCurrent = static_cast<bool>(m_current);
  if (m_current) content.current = m_current->m_name;
  content.musicVolume = m_musicVolume;
  content.soundVolume = m_soundVolume;
  content.isFullScreen = m_isFullScreen;
  content.highScore = m_highScore;
  return content;
}

bool VGUserProfileManager::Save() {
  VGUsersFileContent content;
  unsigned long generation = 0;
  {
    Hold hold(m_lock);
    if (m_saveRefused) {
      Log("The users file was not saved: an unreadable one stands in its place");
      return false;
    }
    if (m_current) m_highScore.SetScore(m_current->m_name, m_current->m_levelShowName, m_current->m_score);
    content = CopyContent();
    generation = ++m_copiesTaken;
  }
  // Two threads may save at once: a copy older than the one already written is dropped.
  std::lock_guard<std::mutex> order(m_saveOrder);
  if (generation < m_copyWritten) return true;
  try {
    WriteUsersFile(GetUsersFilePath(), content);
    m_copyWritten = generation;
    return true;
  } catch (const std::exception& failure) {
    Log("The users file [" + Platform::WideToUtf8(GetUsersFilePath()) + "] was not saved: " + failure.what());
    return false;
  }
}

// Callers hold the lock for as long as they use the position.
VGUserProfileManager::Profiles::iterator VGUserProfileManager::Find(const std::wstring& name) {
  return std::find_if(m_profiles.begin(), m_profiles.end(),
                      [&](const boost::shared_ptr<VGUserProfile>& profile) { return profile->m_name == name; });
}

VGUserProfileManager::Profiles::iterator VGUserProfileManager::At(size_t position) {
  if (position >= m_profiles.size()) return m_profiles.end();
  return std::next(m_profiles.begin(), static_cast<std::ptrdiff_t>(position));
}

void VGUserProfileManager::MakeCurrent(Profiles::iterator found) {
  if (found != m_profiles.end()) m_current = *found;
}

void VGUserProfileManager::Remove(Profiles::iterator found) {
  if (found == m_profiles.end()) return;
  if (*found == m_current) m_current.reset();
  m_profiles.erase(found);
}

boost::shared_ptr<VGUserProfile> VGUserProfileManager::FindProfile(const std::wstring& name) {
  Hold hold(m_lock);
  const Profiles::iterator found = Find(name);
  return found == m_profiles.end() ? boost::shared_ptr<VGUserProfile>() : *found;
}

void VGUserProfileManager::SelectProfile(const std::wstring& name) {
  Hold hold(m_lock);
  MakeCurrent(Find(name));
}

void VGUserProfileManager::SelectProfileAt(size_t position) {
  Hold hold(m_lock);
  MakeCurrent(At(position));
}

void VGUserProfileManager::AddProfile(const std::wstring& name) {
  Hold hold(m_lock);
  boost::shared_ptr<VGUserProfile> profile(new VGUserProfile);
  profile->m_name = name;
  profile->m_lifes = kNewProfileLives;
  m_profiles.push_front(profile);
  m_current = profile;
}

void VGUserProfileManager::RemoveProfile(const std::wstring& name) {
  Hold hold(m_lock);
  Remove(Find(name));
}

void VGUserProfileManager::RemoveProfileAt(size_t position) {
  Hold hold(m_lock);
  Remove(At(position));
}

void VGUserProfileManager::SetScore(unsigned int score) {
  Hold hold(m_lock);
  if (!m_current) return;
  m_current->m_score = score;
  m_highScore.SetScore(m_current->m_name, m_current->m_levelShowName, m_current->m_score);
}

void VGUserProfileManager::SetLevel(const std::string& level, const std::string& showName) {
  Hold hold(m_lock);
  if (!m_current) return;
  m_current->m_level = level;
  m_current->m_levelShowName = showName;
}

std::string VGUserProfileManager::GetLevel() {
  Hold hold(m_lock);
  return m_current ? m_current->m_level : std::string();
}

void VGUserProfileManager::SetBonusLevel(const std::string& level, const std::string& showName) {
  Hold hold(m_lock);
  if (!m_current) return;
  m_current->m_bonusLevel = level;
  m_current->m_levelShowName = showName;
}

std::string VGUserProfileManager::GetBonusLevel() {
  Hold hold(m_lock);
  return m_current ? m_current->m_bonusLevel : std::string();
}

void VGUserProfileManager::PutCurrentIntoHighScore() {
  Hold hold(m_lock);
  if (m_current) m_highScore.SetScore(m_current->m_name, m_current->m_levelShowName, m_current->m_score);
}

void VGUserProfileManager::ClearHighScore() {
  Hold hold(m_lock);
  m_highScore.Clear();
}

std::vector<VGHighScoreEntry> VGUserProfileManager::GetHighScoreRows(size_t count) {
  Hold hold(m_lock);
  return m_highScore.Rows(count);
}

std::string VGUserProfileManager::WideToNarrow(const std::wstring& text) {
  std::string narrow;
  if (!Platform::CodePage(g_Locale).ToNarrow(text, narrow)) {
    const std::string message = "Cannot convert wstring to string. Locale: " + g_Locale;
    throw SCore::KorvexCoreException(message.c_str());
  }
  return narrow;
}

boost::shared_ptr<VGUserProfile> VGUserProfileManager::GetCurrent() {
  Hold hold(m_lock);
  return m_current;
}

bool VGUserProfileManager::HasProfiles() {
  Hold hold(m_lock);
  return !m_profiles.empty();
}

std::vector<std::wstring> VGUserProfileManager::GetProfileNames() {
  Hold hold(m_lock);
  std::vector<std::wstring> names;
  for (const boost::shared_ptr<VGUserProfile>& profile : m_profiles) names.push_back(profile->m_name);
  return names;
}

float VGUserProfileManager::GetMusicVolume() {
  Hold hold(m_lock);
  return m_musicVolume;
}

void VGUserProfileManager::SetMusicVolume(float volume) {
  Hold hold(m_lock);
  m_musicVolume = volume;
}

float VGUserProfileManager::GetSoundVolume() {
  Hold hold(m_lock);
  return m_soundVolume;
}

void VGUserProfileManager::SetSoundVolume(float volume) {
  Hold hold(m_lock);
  m_soundVolume = volume;
}

bool VGUserProfileManager::IsFullScreen() {
  Hold hold(m_lock);
  return m_isFullScreen;
}

void VGUserProfileManager::SetFullScreen(bool fullScreen) {
  Hold hold(m_lock);
  m_isFullScreen = fullScreen;
}

}  // namespace Vellgrove
