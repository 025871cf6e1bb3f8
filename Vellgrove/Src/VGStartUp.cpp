#include "VGStartUp.h"

#include "VGLevelPack.h"

#include "KorvexCoreException.h"
#include "PythonStartUp.h"
#include "SFileHelpers.h"
#include "SLoger.h"
#include "SOutputDeviceFile.h"
#include "VGConfiguration.h"
#include "VGPYFactory.h"
#include "VGSpriteCreator.h"
#include "VGTextManager.h"
#include "WideToNarrow.h"

#include "Platform/NativePath.h"
#include "Platform/ProgramEnd.h"
#include "Platform/Win32.h"

#include <exception>
#include <string>
#include <vector>

namespace Vellgrove {

namespace {

const char* const kBannerRule = "##############################################################\n";
const char* const kBannerTitle = "###############   GLINTMOOR DAWNKEEL  log   ##############\n";
const char* const kProgramName = "Glintmoor Dawnkeel";

void Log(const std::string& text) { SCore::g_Loger << SCore::GetTimeStamp() << text; }

std::wstring WorkingDirectory() {
  std::vector<wchar_t> buffer(1024);
  DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
  if (length >= buffer.size()) {
    buffer.resize(length);
    length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
  }
  if (length == 0 || length >= buffer.size()) throw SCore::KorvexCoreException("can't read the working directory");
  return std::wstring(buffer.data(), length);
}

// Every element of "config.xml" is required; whatever is wrong with it, the report names the file.
VGConfiguration ReadStartUpConfiguration(const std::wstring& userFolder) {
  VGConfiguration configuration;
  try {
    configuration = ReadConfiguration(L"config.xml");
  } catch (const std::exception& failure) {
    throw SCore::KorvexCoreException(("can't read \"config.xml\": " + std::string(failure.what())).c_str());
  }
  ApplyUsersFullScreen(configuration, userFolder);
  // Both level packs push and brake the camera by the configured amounts.
  for (const boost::shared_ptr<VGLevelPack>* pack : {&g_LevelPack, &g_BonusLevelPack}) {
    (*pack)->m_moveForce = configuration.moveForce;
    (*pack)->m_moveAttenuation = configuration.moveAttenuation;
  }
  return configuration;
}

}  // namespace

boost::shared_ptr<VellgroveGame> VGStartUp::MakeGame(bool fullScreen) {
  return boost::shared_ptr<VellgroveGame>(new VellgroveGame(fullScreen));
}

int VGStartUp::Run(const VGGameMaker& makeGame) {
  int status = 0;
  boost::shared_ptr<VellgroveGame> game;
  try {
    Start(makeGame, game);
    game->DoRender();
  } catch (const std::exception& failure) {
    ReportFailure(failure.what());
    status = 1;
  } catch (...) {
    ReportFailure("unknown failure");
    status = 1;
  }
  End(game);
  return status;
}

void VGStartUp::Start(const VGGameMaker& makeGame, boost::shared_ptr<VellgroveGame>& game) {
  PreparePythonPath(WorkingDirectory());
  StartPython();
  const std::wstring userFolder = PrepareUserDataFolder();
  StartLog(userFolder);
  const VGConfiguration configuration = ReadStartUpConfiguration(userFolder);
  game = makeGame(configuration.fullScreen);
  game->DoInit("D3D9Render");
  const std::string title = WideToNarrow(GetText("APPNAME"));
  game->Create(Platform::WidenBytes(configuration.texturePath), title.c_str(), static_cast<int>(configuration.width),
               static_cast<int>(configuration.height), static_cast<int>(configuration.bitsPerPixel),
               configuration.fullScreen);
  game->GetScoreCount()->SetBonusLives(configuration.bonusLives);
}

std::wstring VGStartUp::PrepareUserDataFolder() {
  const std::wstring folder = GetMyDocumentsPath() + L"\\Glintmoor_Dawnkeel\\";
  if (!PathIsDirectoryW(folder.c_str())) CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

void VGStartUp::StartLog(const std::wstring& userFolder) {
  const std::wstring path = userFolder + L"log.txt";
  SCore::g_Loger.SetDevice(boost::shared_ptr<SCore::SOutputDevice>(new SCore::SOutputDeviceFile(path.c_str())));
  SCore::g_Loger << kBannerRule;
  SCore::g_Loger << kBannerTitle;
  SCore::g_Loger << kBannerRule;
}

void VGStartUp::ReportFailure(const std::string& what) {
  Log(" Failure: " + what + "\n");
  MessageBoxA(nullptr, what.c_str(), kProgramName, MB_OK | MB_ICONERROR);
}

// The game object goes first (it stops the input thread before its screens), then the global
// objects that hold the device or scripts, then the interpreter, then the platform under them all.
// The logger, built first, is released last, at exit.
void VGStartUp::End(boost::shared_ptr<VellgroveGame>& game) {
  game.reset();
  Log(" Game object released\n");
  VGSpriteCreator::SetViewport(boost::shared_ptr<SCore::SViewport>());
  VGPYFactory::ReleaseGlobals();
  Log(" Global objects released\n");
  FinishPython();
  Log(" Python finished\n");
  Platform::ShutDownPlatform();
  Log(" Platform shut down\n");
}

}  // namespace Vellgrove
