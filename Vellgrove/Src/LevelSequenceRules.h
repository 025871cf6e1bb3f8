#pragma once

#include "Platform/Win32Types.h"

#include <string>

namespace Vellgrove {

// The music of a level: the bonus levels' own track, else one of the two main tracks, chosen by
// whether the level's name holds a lower-case "e".
const char* LevelMusic(bool bonus, const std::string& levelName);

// The loading screen's bar after the elapsed milliseconds of its 1500: full at 1500 and after.
float LoadingBarValue(DWORD elapsedMilliseconds);
// The loading screen gives way to the level only after more than 1500 ms.
bool LoadingIsOver(DWORD elapsedMilliseconds);

// The three characters whose times the score screen counts, in the order it counts them.
const int kCharacterCount = 3;
extern const char* const kCharacterNames[kCharacterCount];
// The first character whose name the actor's name holds, or -1.
int CharacterOf(const std::string& actorName);

// A script's time in whole units, cut toward zero; below zero, or not a number, counts as zero,
// and beyond the counter's range as its largest value.
unsigned int WholeUnits(double value);

}  // namespace Vellgrove
