#pragma once

#include "VGLockGuard.h"

#include <boost/shared_ptr.hpp>

#include <atomic>
#include <string>

namespace SCore {
class SViewport;
}  // namespace SCore

namespace KorvexEngine {
class SInputMessager;
class SSprite;
class SSpriteTransition;
class STextureFont;
namespace UI {
class SUIApplication;
class SUIButton;
class SUICheckBox;
class SUIForm;
class SUILabel;
class SUIListBox;
class SUITrackBar;
}  // namespace UI
}  // namespace KorvexEngine

namespace Vellgrove {

class VGMp3Player;

// The main menu: the greeting, play and bonus levels, players, settings, credits, high scores and
// exit, as seven forms of one UI application. Its handlers run on the input thread; the game reads
// the player's choice through GetResult.
class VGMenu {
 public:
  enum Result { kNone = 0, kPlay = 1, kExit = 2, kFirstPlay = 3, kBonusLevels = 4 };

  VGMenu(const boost::shared_ptr<SCore::SViewport>& viewport,
         const boost::shared_ptr<KorvexEngine::SInputMessager>& inputMessager,
         const boost::shared_ptr<VGMp3Player>& musicPlayer);
  // Saves the players' file; a failed save is logged.
  virtual ~VGMenu();
  VGMenu(const VGMenu&) = delete;
  VGMenu& operator=(const VGMenu&) = delete;

  void Create();
  // Each time the game comes back to the menu: no form shown, no choice, the main form next frame.
  void Activate();
  void Render();
  int GetResult();
  void UpdateBonusButton();

  // Handlers, bound to the controls.
  void PlayClickSound();
  void OnFocus();
  void OnPlay();
  void OnBonusLevels();
  void OnBonusHover();
  void OnExit();
  void OnSettings();
  void OnCredits();
  void OnHighScore();
  void OnIfThis();
  void OnUserProfileOk();
  void ShowAreYouSure();
  void ShowNewUser();
  void OnYes();
  void OnCloseForm();
  void OnNewUserOk();
  void OnNewUserCancel();
  void OnCreditsClose();
  void OnSettingsOk();
  void OnMusicVolumeChanged();
  void OnSoundVolumeChanged();
  void OnFullScreenChanged();
  void RenderHighScoreTable();

  boost::shared_ptr<SCore::SViewport> m_viewport;
  boost::shared_ptr<KorvexEngine::SSprite> m_ball;
  boost::shared_ptr<KorvexEngine::SSprite> m_notAvailable;
  boost::shared_ptr<KorvexEngine::SSpriteTransition> m_notAvailableFade;
  boost::shared_ptr<KorvexEngine::SInputMessager> m_inputMessager;
  boost::shared_ptr<KorvexEngine::UI::SUIApplication> m_ui;
  std::atomic<int> m_result{kNone};
  std::wstring m_newUserName;
  boost::shared_ptr<KorvexEngine::UI::SUIListBox> m_userList;
  boost::shared_ptr<KorvexEngine::UI::SUILabel> m_welcome;
  boost::shared_ptr<KorvexEngine::UI::SUIButton> m_bonusButton;
  std::atomic<bool> m_firstFrame{true};
  boost::shared_ptr<VGMp3Player> m_musicPlayer;
  boost::shared_ptr<KorvexEngine::UI::SUITrackBar> m_musicBar;
  boost::shared_ptr<KorvexEngine::UI::SUITrackBar> m_soundBar;
  std::atomic<bool> m_userChanged{false};
  boost::shared_ptr<KorvexEngine::STextureFont> m_tableFont;
  boost::shared_ptr<KorvexEngine::UI::SUILabel> m_cellLabel;
  std::atomic<bool> m_fullScreenChanged{false};
  boost::shared_ptr<KorvexEngine::UI::SUICheckBox> m_fullScreenBox;
  std::atomic<bool> m_fullScreenState{false};
  VGLockGuard m_lock;

 private:
  // The form builders, in the order the forms are added.
  void CreateUserProfileForm();
  void CreateMainForm();
  void CreateNewUserForm();
  void CreateAreYouSureForm();
  void CreateCreditsForm();
  void CreateSettingsForm();
  void CreateHighScoreForm();
  void CreateCellLabel();
  void CreateBall();

  void SetResult(int result);
  void ShowWithClick(const char* form);
  bool Idle();
  std::wstring Greeting();
  void SetGreeting(const std::wstring& greeting);
  // After a change of player; also sets whether the bonus levels are open to the new one. The
  // handlers run on the input thread while the main thread draws the label, so the next render puts
  // the greeting on it.
  void RefreshGreeting();
  bool PointerOnBonusButton();
  std::wstring SelectedName();
  void SaveProfiles();
  void FadeNotAvailable(int mode);
  // Under the lock, since the input thread's hover over the closed bonus button starts the fade in:
  // advances the hint's fade, starts fading it out once the pointer has left the button, and answers
  // whether the hint shows.
  bool UpdateNotAvailableHint();

  // Under m_lock: the greeting last chosen, and whether the label has yet to show it.
  std::wstring m_greeting;
  bool m_greetingPending = false;
};

}  // namespace Vellgrove
