#pragma once

#include <string>
#include <vector>

namespace Vellgrove {

// What start-up reads of "config.xml" besides the localisation globals.
struct VGConfiguration {
  std::string appName;  // read and not used: the window title is the localised "APPNAME"
  unsigned int width = 0;
  unsigned int height = 0;
  unsigned int bitsPerPixel = 0;
  bool fullScreen = false;
  std::string texturePath;
  std::vector<unsigned int> bonusLives;  // score thresholds in file order
  float moveForce = 0.0f;
  float moveAttenuation = 0.0f;
};

// Reads the engine-dialect configuration file, every element and attribute required. g_Locale is
// stored as soon as it is read, the other localisation globals once all of them are.
VGConfiguration ReadConfiguration(const std::wstring& path);

// Lets "IsFullScreen" of "users.xml" in the user data folder (Users, Userprofiles, each optional)
// decide the full-screen flag. A file that cannot be read keeps the configured flag and is logged;
// it is left as it is for the profile manager to deal with.
void ApplyUsersFullScreen(VGConfiguration& configuration, const std::wstring& userFolder);

}  // namespace Vellgrove
