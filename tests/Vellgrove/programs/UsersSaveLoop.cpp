// Saves the players' file over and over, turning it from one version into the other and back,
// until it is killed. The documents folder comes from XDG_DOCUMENTS_DIR.
//   version A: Ann with 111 points;  version B: Bo, then Ann with 222 points.
#include "GameGlobals.h"
#include "VGUserProfileManager.h"

int main() {
  Vellgrove::g_Locale = "Russian";
  Vellgrove::VGUserProfileManager manager;
  // Whichever version the last run left, the loop starts from version A.
  manager.RemoveProfile(L"Bo");
  manager.SelectProfile(L"Ann");
  for (unsigned long turn = 0;; ++turn) {
    if (turn % 2 == 0) {
      manager.AddProfile(L"Bo");
      manager.SelectProfile(L"Ann");
      manager.SetScore(222);
    } else {
      manager.RemoveProfile(L"Bo");
      manager.SelectProfile(L"Ann");
      manager.SetScore(111);
    }
    if (!manager.Save()) return 1;
  }
}
