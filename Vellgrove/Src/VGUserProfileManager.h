#pragma once

#include "VGHighScore.h"
#include "VGLockGuard.h"
#include "VGUserProfile.h"

#include <boost/shared_ptr.hpp>

#include <list>
#include <mutex>
#include <string>
#include <vector>

namespace Vellgrove {

struct VGUsersFileContent;

// Every player's profile, the current one, the installation's settings and the high-score table,
// kept in "users.xml" in the user data folder. The main, loader and input threads all use it: one
// re-entrant lock guards the profiles, the settings and the table; hold it (GetLock) across several
// reads or a change of the current profile's fields.
class VGUserProfileManager {
 public:
  typedef std::list<boost::shared_ptr<VGUserProfile>> Profiles;

  // Reads "users.xml" from the documents folder's "Glintmoor_Dawnkeel".
  VGUserProfileManager();
  virtual ~VGUserProfileManager();
  VGUserProfileManager(const VGUserProfileManager&) = delete;
  VGUserProfileManager& operator=(const VGUserProfileManager&) = delete;

  // A file that cannot be read is set aside as "users.xml.bad" (or ".bad.N"), logged, and the
  // defaults stand; one that cannot be set aside is never overwritten.
  void Load();
  // Writes a copy taken under the lock; a failure is logged and answered false, the state stays
  // for the next save to retry.
  bool Save();

  // The first profile of that name, or none. The profile stays whole for as long as the caller
  // holds it, whatever other threads do to the list meanwhile.
  boost::shared_ptr<VGUserProfile> FindProfile(const std::wstring& name);
  void SelectProfile(const std::wstring& name);
  void AddProfile(const std::wstring& name);
  // Removing the current profile leaves none current until the caller selects one.
  void RemoveProfile(const std::wstring& name);
  // By position in the list, as the menu lists the profiles: names may repeat, and a name alone
  // would reach the first namesake, not the one the player picked. A position past the end changes
  // nothing.
  void RemoveProfileAt(size_t position);
  void SelectProfileAt(size_t position);

  void SetScore(unsigned int score);
  void SetLevel(const std::string& level, const std::string& showName);
  std::string GetLevel();
  void SetBonusLevel(const std::string& level, const std::string& showName);
  std::string GetBonusLevel();
  // The current player's entry of the table set to the player's score and level.
  void PutCurrentIntoHighScore();
  void ClearHighScore();
  std::vector<VGHighScoreEntry> GetHighScoreRows(size_t count);

  // Through the configured locale; raises "Cannot convert wstring to string. Locale: <name>".
  static std::string WideToNarrow(const std::wstring& text);

  VGLockGuard& GetLock() { return m_lock; }
  // Empty when no profile is current.
  boost::shared_ptr<VGUserProfile> GetCurrent();
  bool HasProfiles();
  std::vector<std::wstring> GetProfileNames();

  float GetMusicVolume();
  void SetMusicVolume(float volume);
  float GetSoundVolume();
  void SetSoundVolume(float volume);
  bool IsFullScreen();
  void SetFullScreen(bool fullScreen);

  const std::wstring& GetDataFolder() const { return m_dataFolder; }
  std::wstring GetUsersFilePath() const { return m_dataFolder + L"users.xml"; }

 private:
  Profiles::iterator Find(const std::wstring& name);
  Profiles::iterator At(size_t position);
  void MakeCurrent(Profiles::iterator found);
  void Remove(Profiles::iterator found);
  void RemoveLeftoverTemporaryFiles() const;
  void SetAside(const std::string& reason);
  void TakeContent(const VGUsersFileContent& content);
  VGUsersFileContent CopyContent();

  Profiles m_profiles;
  boost::shared_ptr<VGUserProfile> m_current;
  float m_soundVolume = 1.0f;
  float m_musicVolume = 1.0f;
  bool m_isFullScreen = true;
  VGHighScore m_highScore;
  std::wstring m_dataFolder;
  // Set when an unreadable file could not be moved aside: saving would destroy it.
  bool m_saveRefused = false;
  VGLockGuard m_lock;
  // Keeps saves in the order their copies were taken.
  std::mutex m_saveOrder;
  unsigned long m_copiesTaken = 0;  // under m_lock
  unsigned long m_copyWritten = 0;  // under m_saveOrder
};

extern boost::shared_ptr<VGUserProfileManager> g_UserProfileManager;

// The current player of the one manager; empty before the manager exists or without a player.
boost::shared_ptr<VGUserProfile> CurrentProfile();
// The current player's lives, never below zero; without a player nothing is stored.
void StoreCurrentLives(int lives);

}  // namespace Vellgrove
