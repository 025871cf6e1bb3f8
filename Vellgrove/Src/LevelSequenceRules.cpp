#include "LevelSequenceRules.h"

#include <algorithm>
#include <limits>

namespace Vellgrove {

namespace {

const DWORD kLoadingMilliseconds = 1500;

}  // namespace

const char* const kCharacterNames[kCharacterCount] = {"Tovemmar", "Gribbanoddle", "Weskaroon"};

const char* LevelMusic(bool bonus, const std::string& levelName) {
  if (bonus) return "sounds\\bonus.mp3";
  return levelName.find('e') != std::string::npos ? "sounds\\playtime.mp3" : "sounds\\playtimew.mp3";
}

float LoadingBarValue(DWORD elapsedMilliseconds) {
  return std::min(1.0f, float(elapsedMilliseconds) / float(kLoadingMilliseconds));
}

bool LoadingIsOver(DWORD elapsedMilliseconds) { return elapsedMilliseconds > kLoadingMilliseconds; }

int CharacterOf(const std::string& actorName) {
  for (int c = 0; c < kCharacterCount; ++c)
    if (actorName.find(kCharacterNames[c]) != std::string::npos) return c;
  return -1;
}

unsigned int WholeUnits(double value) {
  if (!(value > 0.0)) return 0;
  const double largest = double(std::numeric_limits<unsigned int>::max());
  return value >= largest ? std::numeric_limits<unsigned int>::max() : static_cast<unsigned int>(value);
}

}  // namespace Vellgrove
