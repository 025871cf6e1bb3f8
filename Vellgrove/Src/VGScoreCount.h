#pragma once

#include "VGLockGuard.h"

#include <boost/shared_ptr.hpp>

#include <atomic>
#include <vector>

namespace KorvexEngine {
class SInputMessager;
class SProgressBar;
class SSprite;
class STextureFont;
namespace UI {
class SUIForm;
}  // namespace UI
}  // namespace KorvexEngine

namespace Vellgrove {

class VGLevelTrainer;
class VGPYGameObject;
class VGPythonDictionary;

// After a level: one bar per character fills from where the level left it, the score rises by 1000
// for each unit of a counter's amount, and bonus lives come as the score passes their thresholds.
// Update, Finish and OnOk (the input thread's OK) share one lock.
class VGScoreCount {
 public:
  static const int kCounters = 3;

  explicit VGScoreCount(const boost::shared_ptr<KorvexEngine::SInputMessager>& inputMessager);
  virtual ~VGScoreCount();
  VGScoreCount(const VGScoreCount&) = delete;
  VGScoreCount& operator=(const VGScoreCount&) = delete;

  void SetBonusLives(std::vector<unsigned int> thresholds);
  void Start();
  void Update();
  void Render();
  void Finish();
  void OnOk();

  // The score the running count has reached over the old one. Without a maximum there is nothing
  // to measure the counters against, so nothing is gained yet.
  unsigned int RunningGain() const;
  unsigned int FinalGain() const;
  // Lives gained by thresholds strictly between the old score and the old score plus the gain.
  unsigned int LivesPassed(unsigned int gain) const;
  // Progress towards the next bonus life at this gain.
  float LifeBarFill(unsigned int gain) const;

  boost::shared_ptr<KorvexEngine::SProgressBar> m_counterBars[kCounters];
  float m_counterFills[kCounters] = {0.0f, 0.0f, 0.0f};
  float m_counterAmounts[kCounters] = {0.0f, 0.0f, 0.0f};
  unsigned int m_startClock = 0;
  unsigned int m_frameClock = 0;
  boost::shared_ptr<VGPYGameObject> m_characters[kCounters];
  boost::shared_ptr<VGPythonDictionary> m_context;
  unsigned int m_counterMax = 0;
  boost::shared_ptr<KorvexEngine::STextureFont> m_scoreFont;
  boost::shared_ptr<KorvexEngine::STextureFont> m_livesFont;
  boost::shared_ptr<KorvexEngine::STextureFont> m_scoreCaption;
  boost::shared_ptr<KorvexEngine::SSprite> m_background;
  boost::shared_ptr<KorvexEngine::SSprite> m_angel;
  boost::shared_ptr<KorvexEngine::SSprite> m_line;
  bool m_isFinished = false;
  std::atomic<bool> m_isDone{false};
  boost::shared_ptr<KorvexEngine::UI::SUIForm> m_okForm;
  boost::shared_ptr<KorvexEngine::SSprite> m_message;
  boost::shared_ptr<KorvexEngine::SInputMessager> m_inputMessager;
  bool m_isCounterActive[kCounters] = {true, true, true};
  std::atomic<int> m_nextMode{0};
  boost::shared_ptr<KorvexEngine::SProgressBar> m_lifeBar;
  boost::shared_ptr<KorvexEngine::SSprite> m_lifeStaff;
  std::vector<unsigned int> m_bonusLives;
  int m_lives = 0;
  unsigned int m_oldScore = 0;
  bool m_isAllInTime = false;
  boost::shared_ptr<VGLevelTrainer> m_trainer;
  int m_levelIndex = 0;
  bool m_isBonusLevel = false;
  boost::shared_ptr<KorvexEngine::STextureFont> m_timeCaption;
  boost::shared_ptr<KorvexEngine::STextureFont> m_totalCaption;
  VGLockGuard m_lock;

 private:
  void CreateProgressBars();
  void CreateCharacters();
  void CreateFonts();
  void CreateOkForm();
  void CreateSprites();
  void LoadTrainer();
  void FillCounters(unsigned int elapsed);
  void MoveCharacters();
  void CountLives(unsigned int gain);
  int ProfileLives() const;
};

}  // namespace Vellgrove
