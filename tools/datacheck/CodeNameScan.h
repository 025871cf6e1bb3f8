#pragma once

#include "FaultList.h"

#include <string>
#include <vector>

namespace DataCheck {

enum class CodeNameKind { Texture, Sound, Music, Text };

struct CodeName {
  CodeNameKind kind;
  std::string name;
  Location where;
};

// The names that the game's sources (SOURCE_FOLDER/Vellgrove/Src/*.cpp) pass as literals to the
// calls that look textures, sounds, music and texts up. Raises std::runtime_error when the folder
// holds no source.
std::vector<CodeName> ScanCodeNames(const std::string& sourceFolder);

// A source file's text; empty when it cannot be read.
std::string ReadSourceText(const std::string& path);

// The folder of the game's sources below the source folder.
std::string GameSourceFolder(const std::string& sourceFolder);

}  // namespace DataCheck
