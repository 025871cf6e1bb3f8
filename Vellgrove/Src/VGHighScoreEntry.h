#pragma once

#include <string>

namespace Vellgrove {

// One player's line of the high-score table.
struct VGHighScoreEntry {
  std::wstring m_name;
  std::string m_level;  // the show name of the level the player was on
  unsigned int m_bestScore = 0;
};

}  // namespace Vellgrove
