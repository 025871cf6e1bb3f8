// datacheck DATA_FOLDER SOURCE_FOLDER: reads every file of the game's data with the game's own
// readers and checks that every name and path the data and the code refer to exists. Prints one
// line a fault, "file:line: what is wrong"; exits 0 when clean, 1 with faults, 2 when it cannot run.
#include "CheckSession.h"
#include "CodeNames.h"
#include "LevelPacks.h"
#include "ScreenFiles.h"
#include "StartUpFiles.h"

#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;

const int kClean = 0;
const int kFaults = 1;
const int kCannotRun = 2;

std::string WithoutTrailingSlash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

void RequireFolder(const std::string& folder, const char* role) {
  if (!fs::is_directory(folder)) throw std::runtime_error(std::string(role) + " " + folder + " is not a folder");
}

void RunChecks(DataCheck::CheckSession& session) {
  // The other files refer to what the start-up files register; without the configuration there is
  // neither a texture list nor a locale to read the rest with.
  if (!DataCheck::StartUpFiles(session).Check()) return;
  DataCheck::LevelPacks(session).Check();
  DataCheck::ScreenFiles(session).Check();
  DataCheck::CodeNames(session).Check();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: datacheck DATA_FOLDER SOURCE_FOLDER\n";
    return kCannotRun;
  }
  try {
    const std::string dataFolder = WithoutTrailingSlash(argv[1]);
    RequireFolder(dataFolder, "data folder");
    RequireFolder(argv[2], "source folder");
    // The game's readers take their paths from its working folder.
    const std::string sourceFolder = WithoutTrailingSlash(fs::absolute(argv[2]).lexically_normal().string());
    fs::current_path(dataFolder);
    DataCheck::CheckSession session(dataFolder, sourceFolder);
    RunChecks(session);
    session.Faults().Print(std::cout);
    return session.Faults().Empty() ? kClean : kFaults;
  } catch (const std::exception& error) {
    std::cerr << "datacheck: " << error.what() << '\n';
    return kCannotRun;
  }
}
