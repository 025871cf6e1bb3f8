#pragma once

namespace Vellgrove {

// The game modes, as VGGameMode stores them and callers request them; 2, 4, 6 and 10 are unused.
enum VGGameModeNumber {
  VGGM_LEVEL = 0,
  VGGM_MENU = 1,
  VGGM_QUIT = 3,
  VGGM_COMICS = 5,
  VGGM_SCORE = 7,
  VGGM_GAMEOVER = 8,
  VGGM_SPLASH = 9,
  VGGM_INTRO = 11,
  VGGM_FINALCUT = 12,
  VGGM_MAP = 13,
  VGGM_TROPHIES = 14,
  VGGM_LOADING = 15,
};

// True for the numbers above.
bool IsGameMode(int mode);

}  // namespace Vellgrove
