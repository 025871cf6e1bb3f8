#pragma once

#include <boost/shared_ptr.hpp>

#include <atomic>
#include <string>
#include <vector>

namespace KorvexEngine {
class SInputMessager;
class SSprite;
namespace UI {
class SUIButton;
class SUIForm;
class SUIToolTip;
}  // namespace UI
}  // namespace KorvexEngine

namespace Vellgrove {

class VGLevelPack;
class VGLevelTrainer;

// The world map: a pot per level on the road across the moor, the dotted way played so far, a star
// over each pot whose trophy is won, and a face of its own for the bonus levels. A click records the
// choice and publishes it through m_done; the game's map mode acts on it.
class VGMap {
 public:
  enum Result { kPlay = 0, kMenu = 1, kTrophies = 14 };
  static const unsigned int kMaxMainPots = 30;

  explicit VGMap(const boost::shared_ptr<KorvexEngine::SInputMessager>& inputMessager);
  virtual ~VGMap();
  VGMap(const VGMap&) = delete;
  VGMap& operator=(const VGMap&) = delete;

  // Prepares the face m_isBonus chooses: which pots show and how, NEXT, the trainer, the form.
  void Refresh();
  std::string GetSelectedLevel() const { return m_selectedLevel; }
  const std::vector<boost::shared_ptr<KorvexEngine::UI::SUIButton>>& GetPots() const;
  std::string GetCurrentLevelName() const;
  // The face the game shows.
  const boost::shared_ptr<KorvexEngine::UI::SUIForm>& GetForm() const;
  // Whether a click has chosen; what it chose is written before.
  bool IsDone() const { return m_done.load(std::memory_order_acquire); }

  void OnFrame();
  void OnPotClick();
  void OnMenuClick();
  void OnNextClick();
  void OnTrophiesClick();

  void LoadMapTrainer1();
  void LoadMapTrainer2();

  boost::shared_ptr<KorvexEngine::UI::SUIForm> m_mapForm;
  boost::shared_ptr<KorvexEngine::UI::SUIForm> m_mapBonusForm;
  boost::shared_ptr<KorvexEngine::SInputMessager> m_inputMessager;
  std::vector<boost::shared_ptr<KorvexEngine::UI::SUIButton>> m_pots;
  std::vector<boost::shared_ptr<KorvexEngine::UI::SUIButton>> m_bonusPots;
  boost::shared_ptr<KorvexEngine::SSprite> m_playedPot;
  boost::shared_ptr<KorvexEngine::SSprite> m_playedPotLit;
  boost::shared_ptr<KorvexEngine::SSprite> m_currentPot;
  boost::shared_ptr<KorvexEngine::SSprite> m_currentPotLit;
  boost::shared_ptr<KorvexEngine::SSprite> m_star;
  boost::shared_ptr<KorvexEngine::SSprite> m_dot;
  std::atomic<bool> m_done{false};
  std::string m_selectedLevel;
  bool m_playsCurrentLevel = false;
  bool m_playsCurrentBonusLevel = false;
  int m_result = kPlay;
  boost::shared_ptr<VGLevelTrainer> m_trainer;
  std::atomic<bool> m_isBonus{false};
  std::vector<std::vector<std::pair<float, float>>> m_paths;
  std::vector<int> m_pathsPerLevel;
  boost::shared_ptr<KorvexEngine::UI::SUIButton> m_nextButton;
  bool m_lastLevelChosen = false;

 private:
  void CreateSprites();
  void CreateForms();
  void CreatePots();
  void CreateButtons();
  void Load(const VGLevelPack& pack, const boost::shared_ptr<KorvexEngine::UI::SUIToolTip>& toolTip,
            std::vector<boost::shared_ptr<KorvexEngine::UI::SUIButton>>& pots, const std::wstring& path);
  void LayOutBonusPots();
  void RefreshMainPots(unsigned int current);
  void RefreshBonusPots();
  const VGLevelPack& FacePack() const;
  unsigned int CurrentIndex() const;
  void DrawPaths(unsigned int current);
  void DrawStars();
  // Publishes a choice; no further click is taken until the next Refresh.
  void Finish(int result);
};

}  // namespace Vellgrove
