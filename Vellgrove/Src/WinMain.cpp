// The program's entry point. So far it prepares the user data folder and the log; the game's
// screens are not built yet.
#include "SFileHelpers.h"
#include "SLoger.h"
#include "SOutputDeviceFile.h"

#include "Platform/Win32.h"

#include <boost/shared_ptr.hpp>

#include <cstdio>
#include <string>

namespace {

const char* const kBannerRule = "##############################################################\n";
const char* const kBannerTitle = "###############   GLINTMOOR DAWNKEEL  log   ##############\n";

std::wstring UserDataFolder() {
  const std::wstring folder = GetMyDocumentsPath() + L"\\Glintmoor_Dawnkeel\\";
  if (!PathIsDirectoryW(folder.c_str())) CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

}  // namespace

int main() {
  const std::wstring dataFolder = UserDataFolder();
  const std::wstring logPath = dataFolder + L"log.txt";
  SCore::g_Loger.SetDevice(boost::shared_ptr<SCore::SOutputDevice>(new SCore::SOutputDeviceFile(logPath.c_str())));
  SCore::g_Loger << kBannerRule;
  SCore::g_Loger << kBannerTitle;
  SCore::g_Loger << kBannerRule;
  SCore::g_Loger << SCore::GetTimeStamp() << " The game's screens are not built yet; exiting.\n";
  std::printf("Glintmoor Dawnkeel: the engine is built; the game itself is not built yet.\n");
  return 0;
}
