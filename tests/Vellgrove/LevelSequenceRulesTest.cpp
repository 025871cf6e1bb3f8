// The small rules of a level's visit: its music, the loading screen's bar and length, which
// character an actor is, and how a script's time becomes whole units.
#include "LevelSequenceRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace Vellgrove;

TEST(LevelSequenceRules, TheMusicFollowsTheLevelsNameAndPack) {
  const struct {
    bool bonus;
    const char* name;
    const char* music;
  } cases[] = {{false, "Lvl5", "sounds\\playtimew.mp3"},  {false, "LEVEL", "sounds\\playtimew.mp3"},
               {false, "tree", "sounds\\playtime.mp3"},   {false, "", "sounds\\playtimew.mp3"},
               {true, "tree", "sounds\\bonus.mp3"}};
  for (const auto& c : cases) EXPECT_STREQ(LevelMusic(c.bonus, c.name), c.music) << c.name;
}

TEST(LevelSequenceRules, TheLoadingBarFillsIn1500msAndTheLevelFollowsAfter) {
  const struct {
    DWORD elapsed;
    float bar;
    bool over;
  } cases[] = {{0, 0.0f, false}, {750, 0.5f, false}, {1500, 1.0f, false}, {1501, 1.0f, true}, {90000, 1.0f, true}};
  for (const auto& c : cases) {
    EXPECT_FLOAT_EQ(LoadingBarValue(c.elapsed), c.bar) << c.elapsed;
    EXPECT_EQ(LoadingIsOver(c.elapsed), c.over) << c.elapsed;
  }
}

TEST(LevelSequenceRules, AnActorIsTheFirstCharacterItsNameHolds) {
  const struct {
    const char* name;
    int character;
  } cases[] = {{"Tovemmar", 0}, {"Weskaroon", 2}, {"TovemmarWeskaroon", 0}, {"WeskaroonGribbanoddle", 1},
               {"tovemmar", -1}, {"Bat", -1}, {"", -1}};
  for (const auto& c : cases) EXPECT_EQ(CharacterOf(c.name), c.character) << c.name;
}

TEST(LevelSequenceRules, TimesBecomeWholeUnitsNeverBelowZero) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    double value;
    unsigned int whole;
  } cases[] = {{2.9, 2}, {60.0, 60}, {0.0, 0}, {-0.5, 0}, {-3.0, 0}, {nan, 0}, {1e12, 4294967295u}};
  for (const auto& c : cases) EXPECT_EQ(WholeUnits(c.value), c.whole) << c.value;
}
