#include "VGUserProfile.h"

#include <algorithm>

namespace Vellgrove {

void VGUserProfile::AwardTrophy(unsigned int index) {
  if (index >= kTrophyCount) return;
  m_trophies[index] = 1;
  UpdateTrophySets();
}

bool VGUserProfile::IsBonusLevelDone(unsigned int position) const {
  return std::find(m_doneBonusLevels.begin(), m_doneBonusLevels.end(), position) != m_doneBonusLevels.end();
}

void VGUserProfile::AddDoneBonusLevel(unsigned int position) {
  if (!IsBonusLevelDone(position)) m_doneBonusLevels.push_back(position);
}

void VGUserProfile::UpdateTrophySets() {
  const auto won = [](unsigned int flag) { return flag != 0; };
  m_firstSetDone = std::all_of(m_trophies, m_trophies + kTrophiesPerSet, won);
  m_secondSetDone = std::all_of(m_trophies + kTrophiesPerSet, m_trophies + kTrophyCount, won);
  m_allSetsDone = m_firstSetDone && m_secondSetDone;
}

}  // namespace Vellgrove
