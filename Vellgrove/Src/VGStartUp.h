#pragma once

#include "VellgroveGame.h"

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>

namespace Vellgrove {

// Makes the game object with the full-screen flag; tests hand in a game that watches its frames.
typedef boost::function<boost::shared_ptr<VellgroveGame>(bool fullScreen)> VGGameMaker;

// The program from its start to its end, run on the main thread from the game's working directory:
// scripts, log, configuration, the game's window and loading, the main loop, and the release of
// everything in a fixed order (the game object, the global objects that hold scripts or the device,
// the interpreter, the platform; the logger last, at exit). A failure anywhere is logged, shown
// (a message box with a display, standard error without) and ends the program with status 1.
class VGStartUp {
 public:
  static int Run(const VGGameMaker& makeGame);
  static boost::shared_ptr<VellgroveGame> MakeGame(bool fullScreen);

 private:
  static void Start(const VGGameMaker& makeGame, boost::shared_ptr<VellgroveGame>& game);
  static std::wstring PrepareUserDataFolder();
  static void StartLog(const std::wstring& userFolder);
  static void ReportFailure(const std::string& what);
  static void End(boost::shared_ptr<VellgroveGame>& game);
};

}  // namespace Vellgrove
