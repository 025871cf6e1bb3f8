#pragma once

#include <list>
#include <string>

namespace Vellgrove {

// One player's record: name, score, lives, progress through both packs, trophies.
class VGUserProfile {
 public:
  static const unsigned int kTrophyCount = 30;
  static const unsigned int kTrophiesPerSet = 15;

  VGUserProfile() = default;
  virtual ~VGUserProfile() = default;

  // An index beyond the table changes nothing: a pack may hold more levels than there are trophies.
  void AwardTrophy(unsigned int index);
  bool IsBonusLevelDone(unsigned int position) const;
  // A bonus level won again is already done: the list, and the players' file, keep it once.
  void AddDoneBonusLevel(unsigned int position);
  void UpdateTrophySets();

  std::wstring m_name;
  unsigned int m_score = 0;
  unsigned int m_lifes = 0;
  std::string m_level;  // the next main level; empty: never started; "done": every main level finished
  std::string m_levelShowName;
  std::list<unsigned int> m_doneBonusLevels;  // bonus pack positions, in the order finished
  std::string m_bonusLevel;
  unsigned int m_trophies[kTrophyCount] = {};
  bool m_firstSetDone = false;
  bool m_secondSetDone = false;
  bool m_allSetsDone = false;
};

}  // namespace Vellgrove
