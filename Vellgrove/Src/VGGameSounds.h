// The game's sound effects with their files and voices, in the order the game registers them, and
// its music tracks. Paths are the game's, relative to its working folder.
#pragma once

#include "Platform/Win32Types.h"

#include <cstddef>

namespace Vellgrove {

struct VGGameSound {
  const char* name;
  const char* file;
  DWORD voices;
};

extern const VGGameSound g_GameSounds[];
extern const std::size_t g_GameSoundCount;

extern const char* const g_GameMusic[];
extern const std::size_t g_GameMusicCount;

}  // namespace Vellgrove
