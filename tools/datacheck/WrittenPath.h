#pragma once

#include <string>

namespace DataCheck {

// How a path written the game's way ("Levels\level01.xml", relative to the working folder) stands
// on a file system that, unlike the one the data was made for, tells case apart.
struct WrittenPath {
  enum class State { Exact, CaseDiffers, Missing };

  State state = State::Missing;
  // The path as it is on disk, with slashes; for Missing, what resolved before the first miss.
  std::string onDisk;
  bool writtenWithSlash = false;
};

WrittenPath ResolveWrittenPath(const std::string& written);

// The written path with slashes, as this system names it.
std::string WithSlashes(const std::string& written);

}  // namespace DataCheck
