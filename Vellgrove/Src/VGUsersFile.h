// "users.xml": every player's profile, the installation's settings and the high-score table, in
// windows-1251, the code page the file declares, whatever locale the rest of the game uses.
#pragma once

#include "VGHighScore.h"
#include "VGUserProfile.h"

#include <string>
#include <vector>

namespace Vellgrove {

struct VGUsersFileContent {
  std::vector<VGUserProfile> profiles;
  bool hasCurrent = false;
  std::wstring current;
  float musicVolume = 1.0f;
  float soundVolume = 1.0f;
  bool isFullScreen = true;
  VGHighScore highScore;
};

// Raises on anything that keeps the file from being read whole: a byte outside the code page,
// malformed XML, a required value missing or not converting. A file without "Userprofiles" reads
// as the defaults. Values the game cannot use are mended and logged: a trophy number beyond the
// table is skipped, negative lives count as none, volumes are kept within 0 to 1. A done bonus
// level listed more than once is kept once.
VGUsersFileContent ReadUsersFile(const std::wstring& path);
// Replaces the file in one step; raises when it cannot be written or a text has no form in the
// code page, leaving the old file as it was.
void WriteUsersFile(const std::wstring& path, const VGUsersFileContent& content);

}  // namespace Vellgrove
