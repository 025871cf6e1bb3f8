#include "VGGameModes.h"

#include <algorithm>
#include <iterator>

namespace Vellgrove {

bool IsGameMode(int mode) {
  static const int kModes[] = {VGGM_LEVEL, VGGM_MENU,  VGGM_QUIT, VGGM_COMICS,   VGGM_SCORE,   VGGM_GAMEOVER,
                               VGGM_SPLASH, VGGM_INTRO, VGGM_FINALCUT, VGGM_MAP, VGGM_TROPHIES, VGGM_LOADING};
  return std::find(std::begin(kModes), std::end(kModes), mode) != std::end(kModes);
}

}  // namespace Vellgrove
