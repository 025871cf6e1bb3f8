#pragma once

#include "VGLockGuard.h"

#include <boost/shared_ptr.hpp>

#include <atomic>
#include <list>
#include <string>
#include <vector>

namespace KorvexEngine {
class SInputMessager;
class SSprite;
class SSpriteTransition;
namespace UI {
class SUIButton;
class SUIForm;
class SUILabel;
}  // namespace UI
}  // namespace KorvexEngine

namespace Vellgrove {

// The player's thirty trophies in two sets of fifteen, a big trophy for each set complete, the
// newest trophy announced with a sign before it fades into its place, a trophy enlarged on a click,
// and the hovered trophy described. Clicks come on the input thread and are only recorded; Update
// applies them on the main thread.
class VGTropheis {
 public:
  static const unsigned int kTrophies = 30;
  static const unsigned int kNone = 1000;

  explicit VGTropheis(const boost::shared_ptr<KorvexEngine::SInputMessager>& inputMessager);
  virtual ~VGTropheis();
  VGTropheis(const VGTropheis&) = delete;
  VGTropheis& operator=(const VGTropheis&) = delete;

  void Init();
  void Refresh();
  void Update();
  void Render();
  void OnOk();
  void OnTrophyClick();
  unsigned int GetHoveredIndex() const;
  void UpdateDescription();
  bool IsDone();

  boost::shared_ptr<KorvexEngine::UI::SUIForm> m_form;
  boost::shared_ptr<KorvexEngine::SInputMessager> m_inputMessager;
  bool m_done = false;
  VGLockGuard m_lock;
  std::vector<boost::shared_ptr<KorvexEngine::UI::SUIButton>> m_trophyButtons;
  boost::shared_ptr<KorvexEngine::UI::SUIButton> m_setButton1;
  boost::shared_ptr<KorvexEngine::UI::SUIButton> m_setButton2;
  std::vector<std::wstring> m_descriptions;
  std::list<unsigned int> m_newTrophies;
  boost::shared_ptr<KorvexEngine::SSpriteTransition> m_newTrophyFade;
  boost::shared_ptr<KorvexEngine::SSpriteTransition> m_setFade;
  boost::shared_ptr<KorvexEngine::SSpriteTransition> m_bigTrophyFade;
  boost::shared_ptr<KorvexEngine::SSpriteTransition> m_bigBackgroundFade;
  boost::shared_ptr<KorvexEngine::SSpriteTransition> m_wowFade;
  boost::shared_ptr<KorvexEngine::UI::SUILabel> m_description;
  bool m_announceSet1 = false;
  bool m_announceSet2 = false;
  boost::shared_ptr<KorvexEngine::SSprite> m_bigTrophy;
  boost::shared_ptr<KorvexEngine::SSprite> m_wow;
  boost::shared_ptr<KorvexEngine::SSprite> m_bigBackground;
  bool m_bigShown = false;
  unsigned int m_bigIndex = 0;
  bool m_newTrophyShown = false;
  unsigned int m_newTrophyTime = 0;

 private:
  void CreateForm();
  void CreateTrophyButtons();
  void CreateSetButtons();
  void CreateDescription();
  void CreateOverlays();
  void ReadDescriptions();
  void ApplyTrophyClick(unsigned int index);
  void ApplyOk();

  // The clicks the input thread has recorded for the next Update, under m_lock.
  bool m_okClicked = false;
  bool m_trophyClicked = false;
  unsigned int m_clickedIndex = kNone;
};

}  // namespace Vellgrove
