// A level's visit through the real game on its real data, on the fake clock: the loading screen,
// completion through the comics and the score count to the trophies, the map or the ending, a
// failure played again, game over, and the developer's reload of the level packs.
#include "KorvexApplication.h"
#include "RunningGame.h"
#include "SProgressBar.h"
#include "VGLevelPack.h"
#include "VGPythonObject.h"
#include "VGScriptText.h"
#include "VGUserProfileManager.h"
#include "WaitUntil.h"

#include "Platform/InputInjection.h"
#include "Platform/SoundTestHooks.h"
#include "Platform/Win32Window.h"

#include <algorithm>
#include <list>
#include <string>

using Vellgrove::g_BonusLevelPack;
using Vellgrove::g_LevelPack;
using Vellgrove::g_UserProfileManager;
using Vellgrove::VellgroveGame;

namespace {

typedef std::list<boost::shared_ptr<Vellgrove::VGPythonObject>> Actors;

const wchar_t* const kReloadLine = L"Reloading the level packs";

class LevelSequence : public GameTest::RunningGame {
 protected:
  void SetUp() override {
    Create(game);
    g_UserProfileManager->AddProfile(L"ANN");
    Platform::Testing::StartRecordingSoundCalls();
  }
  void TearDown() override {
    Platform::Testing::StopRecordingSoundCalls();
    KorvexEngine::g_LeftButtonDown = 0;
    Quit(game);
  }

  Vellgrove::VGUserProfile& Player() { return *g_UserProfileManager->GetCurrent(); }
  int Mode() { return game.GetGameMode()->GetCurrent(); }
  void Step(DWORD milliseconds = 10) { Frame(game, milliseconds, false); }

  // Frames until the mode has come and its fade from black is over.
  bool Reach(int mode) {
    for (int i = 0; i < 400 && Mode() != mode; ++i) Step();
    for (int i = 0; i < 60 && Mode() == mode; ++i) Step();
    return Mode() == mode;
  }

  // What the map's play choice leaves behind: the pack's cursor on the level and the loading asked for.
  void ChooseOnMap(const std::string& level, bool bonus, bool newest, bool last = false) {
    Vellgrove::VGMap& map = *game.GetMap();
    map.m_isBonus = bonus;
    (bonus ? map.m_playsCurrentBonusLevel : map.m_playsCurrentLevel) = newest;
    map.m_lastLevelChosen = last;
    (bonus ? g_BonusLevelPack : g_LevelPack)->SetCurrentLevel(level);
    game.GetGameMode()->ChangeMode(Vellgrove::VGGM_LOADING);
    game.GetMusicPlayer()->FadeOut();
  }

  void Play(const std::string& level, bool bonus, bool newest, bool last = false) {
    ChooseOnMap(level, bonus, newest, last);
    ASSERT_TRUE(Reach(Vellgrove::VGGM_LEVEL));
    ASSERT_EQ(game.GetLevel()->Name, level);
  }

  Actors Characters() {
    Actors actors;
    game.GetLevel()->GetActors(actors);
    return actors;
  }

  void SetOnCharacters(const char* attribute, bool value) {
    Vellgrove::VGScriptText name(attribute);
    for (const auto& actor : Characters()) actor->SetPropertyValueBoolean(name.Get(), value);
  }

  // Every character out through the portal; the comics, if the level has one, skipped.
  void Win() {
    SetOnCharacters("is_out", true);
    for (int i = 0; i < 400 && Mode() != Vellgrove::VGGM_SCORE; ++i) {
      if (Mode() == Vellgrove::VGGM_COMICS && game.GetComics()) game.GetComics()->OnSkip();
      Step();
    }
    ASSERT_TRUE(Reach(Vellgrove::VGGM_SCORE));
  }

  // The score screen's OK, as its button calls it.
  void CloseScore() {
    game.GetScoreCount()->OnOk();
    Step();
  }

  bool MusicAsked(const std::string& file) {
    return TestSupport::WaitUntil([&] {
      for (const auto& call : Platform::Testing::RecordedSoundCalls())
        if (call.call == "RenderFile" && call.text.find(file) != std::string::npos) return true;
      return false;
    });
  }

  int Reloads() {
    const std::wstring text = log.Text();
    int count = 0;
    for (size_t at = text.find(kReloadLine); at != std::wstring::npos; at = text.find(kReloadLine, at + 1)) ++count;
    return count;
  }

  static std::string LastLevel() { return g_LevelPack->GetLevelName(g_LevelPack->GetLevelCount() - 1); }

  void AwardAllTrophies(bool won) {
    for (unsigned int& trophy : Player().m_trophies) trophy = won ? 1 : 0;
    Player().m_firstSetDone = Player().m_secondSetDone = false;
  }

  VellgroveGame game{false};
};

}  // namespace

TEST_F(LevelSequence, TheLoadingScreenMakesTheLevelAndGivesWayAfterMoreThan1500ms) {
  g_UserProfileManager->SetLevel("level02", "Over the Gap");
  ChooseOnMap("level02", false, true);
  for (int i = 0; i < 100 && Mode() != Vellgrove::VGGM_LOADING; ++i) Step();
  ASSERT_EQ(Mode(), Vellgrove::VGGM_LOADING);
  EXPECT_EQ(game.GetLevel()->Name, "level02") << "made on the mode's first update";
  const KorvexEngine::SProgressBar& bar = *game.GetLoading()->GetProgressBar();
  struct Moment {
    DWORD after;
    float bar;
    int pending;
  };
  for (const Moment& m : {Moment{750, 0.5f, Vellgrove::VGGM_LOADING}, Moment{750, 1.0f, Vellgrove::VGGM_LOADING},
                          Moment{1, 1.0f, Vellgrove::VGGM_LEVEL}}) {
    Step(m.after);
    EXPECT_FLOAT_EQ(bar.Progress, m.bar) << m.after;
    EXPECT_EQ(game.GetGameMode()->GetPending(), m.pending) << m.after;
  }
  EXPECT_TRUE(Reach(Vellgrove::VGGM_LEVEL));
  EXPECT_EQ(g_UserProfileManager->GetLevel(), "level02");
  EXPECT_TRUE(MusicAsked("playtime.mp3"));
}

// Each row: where the player stands, the level won, and where its score screen's OK leads.
TEST_F(LevelSequence, ACompletedLevelLeadsThroughTheScoreToTheNextScreen) {
  struct Row {
    const char* what;
    std::string standing, played;
    bool newest, last, trophyWonBefore;
    int next;
    std::string profileLevel, cursor;
  };
  const std::string last = LastLevel();
  const Row rows[] = {
      {"the newest level with a new trophy", "level01", "level01", true, false, false, Vellgrove::VGGM_TROPHIES,
       "level02", "level02"},
      {"the newest level, its trophy won before", "level02", "level02", true, false, true, Vellgrove::VGGM_MAP,
       "level03", "level03"},
      {"an older level played again", "level03", "level01", false, false, true, Vellgrove::VGGM_MAP, "level03",
       "level01"},
      {"the last level, no new trophy", last, last, true, true, true, Vellgrove::VGGM_FINALCUT, "done", "done"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    g_UserProfileManager->SetLevel(row.standing, row.standing);
    AwardAllTrophies(row.trophyWonBefore);
    g_LevelPack->SetCurrentLevel(row.standing);
    Play(row.played, false, row.newest, row.last);
    Win();
    CloseScore();
    EXPECT_EQ(game.GetGameMode()->GetPending(), row.next);
    EXPECT_EQ(game.IsTrophyWon(), !row.trophyWonBefore);
    ASSERT_TRUE(Reach(row.next));
    EXPECT_EQ(g_UserProfileManager->GetLevel(), row.profileLevel);
    EXPECT_EQ(g_LevelPack->GetCurrentLevelName(), row.cursor);
    EXPECT_EQ(Player().m_trophies[g_LevelPack->GetLevelIndex(row.played)], 1u);
    if (row.next == Vellgrove::VGGM_TROPHIES) {
      game.GetTropheis()->OnOk();
      EXPECT_TRUE(Reach(Vellgrove::VGGM_MAP));
    }
  }
}

// The last level with a new trophy shows the trophies first, and they lead to the ending.
TEST_F(LevelSequence, TheLastLevelsNewTrophyComesBeforeTheEnding) {
  g_UserProfileManager->SetLevel(LastLevel(), LastLevel());
  AwardAllTrophies(false);
  Play(LastLevel(), false, true, true);
  Win();
  CloseScore();
  ASSERT_TRUE(Reach(Vellgrove::VGGM_TROPHIES));
  EXPECT_EQ(g_LevelPack->GetCurrentLevelName(), "done");
  game.GetTropheis()->OnOk();
  ASSERT_TRUE(Reach(Vellgrove::VGGM_FINALCUT));
  EXPECT_EQ(g_UserProfileManager->GetLevel(), "done");
  EXPECT_FALSE(game.GetFinalCut()->IsDone());
  EXPECT_TRUE(MusicAsked("final.mp3"));
}

// The newest bonus level won records itself on the bonus side only, and earns no main trophy.
TEST_F(LevelSequence, ABonusLevelMovesNeitherTheMainPackNorItsTrophies) {
  g_UserProfileManager->SetLevel("level02", "level02");
  g_LevelPack->SetCurrentLevel("level02");
  AwardAllTrophies(false);
  Play("bonus01", true, true);
  EXPECT_EQ(g_UserProfileManager->GetBonusLevel(), "bonus01");
  EXPECT_TRUE(MusicAsked("bonus.mp3"));
  Win();
  CloseScore();
  ASSERT_TRUE(Reach(Vellgrove::VGGM_MAP));
  EXPECT_EQ(g_UserProfileManager->GetLevel(), "level02");
  EXPECT_EQ(g_LevelPack->GetCurrentLevelName(), "level02");
  EXPECT_EQ(Player().m_doneBonusLevels, std::list<unsigned int>{0});
  EXPECT_TRUE(std::all_of(std::begin(Player().m_trophies), std::end(Player().m_trophies),
                          [](unsigned int won) { return won == 0; }));
}

// A bonus level won again stays one entry of the player's done bonus levels, so the players' file
// does not grow with every replay.
TEST_F(LevelSequence, ABonusLevelWonAgainIsRecordedOnce) {
  for (int visit = 0; visit < 2; ++visit) {
    SCOPED_TRACE(visit);
    Play("bonus01", true, visit == 0);
    Win();
    CloseScore();
    ASSERT_TRUE(Reach(Vellgrove::VGGM_MAP));
    EXPECT_EQ(Player().m_doneBonusLevels, std::list<unsigned int>{0});
  }
}

// What the score screen is handed, by character: the time left of the play time, clipped at zero,
// whether it lives, and whether all came in within the time. An actor counts for the first character
// its name holds; a character without an actor counts as alive with all the time left.
TEST_F(LevelSequence, TheCharactersTimesReachTheScoreScreen) {
  struct Actor {
    const char* name;
    double lifeTime;
  };
  struct Row {
    Actor actors[3];
    std::vector<float> left;  // Tovemmar, Gribbanoddle, Weskaroon
    bool allInTime;
  };
  const Row rows[] = {
      {{{"TovemmarWeskaroon", 10.7}, {"Gribbanoddle", -3.0}, {"Bat", 75.0}}, {50.0f, 60.0f, 60.0f}, true},
      {{{"Tovemmar", 59.9}, {"Gribbanoddle", 0.0}, {"Weskaroon", 75.0}}, {1.0f, 60.0f, 0.0f}, false},
  };
  Vellgrove::VGScriptText name("name"), lifeTime("life_time");
  AwardAllTrophies(true);  // so that each score screen leads back to the map
  for (const Row& row : rows) {
    SCOPED_TRACE(row.actors[0].name);
    Play("level01", false, false);
    const Actors characters = Characters();
    ASSERT_EQ(characters.size(), 3u);
    const Actor* actor = row.actors;
    for (const auto& character : characters) {
      character->SetPropertyValueString(name.Get(), actor->name);
      character->SetPropertyValueDouble(lifeTime.Get(), actor->lifeTime);
      ++actor;
    }
    Win();
    const Vellgrove::VGScoreCount& score = *game.GetScoreCount();
    EXPECT_EQ(score.m_counterMax, 60u);
    EXPECT_EQ(std::vector<float>(std::begin(score.m_counterAmounts), std::end(score.m_counterAmounts)), row.left);
    EXPECT_TRUE(std::all_of(std::begin(score.m_isCounterActive), std::end(score.m_isCounterActive),
                            [](bool alive) { return alive; }));
    EXPECT_EQ(score.m_isAllInTime, row.allInTime);
    CloseScore();
    ASSERT_TRUE(Reach(Vellgrove::VGGM_MAP));
  }
}

TEST_F(LevelSequence, AFailedLevelIsPlayedAgainAndGameOverLeadsToTheMapWithOneLife) {
  g_UserProfileManager->SetLevel("level03", "level03");
  Play("level03", false, true);
  Vellgrove::VGScriptText lifeTime("life_time");
  Characters().front()->SetPropertyValueDouble(lifeTime.Get(), 1000.0);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_LOADING)) << "out of time";
  ASSERT_TRUE(Reach(Vellgrove::VGGM_LEVEL));
  EXPECT_EQ(game.GetLevel()->Name, "level03");
  EXPECT_LT(Characters().front()->GetPropertyValue(lifeTime.Get()).GetResultAsDouble(), 1000.0) << "made anew";

  Player().m_lifes = 1;
  Vellgrove::VGScriptText isLife("islife");
  Characters().front()->SetPropertyValueBoolean(isLife.Get(), false);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_GAMEOVER));
  EXPECT_EQ(Player().m_lifes, 0u);
  EXPECT_EQ(g_LevelPack->GetCurrentLevelName(), "level01") << "the pack starts again";
  KorvexEngine::g_LeftButtonDown = 1;
  ASSERT_TRUE(Reach(Vellgrove::VGGM_MAP));
  EXPECT_EQ(Player().m_lifes, 1u);
}

// The window's user message, here sent by the developer's key, reads both packs again and plays
// the level the cursor stood on.
TEST_F(LevelSequence, TheDevelopersKeyReloadsThePacksAndPlaysTheCurrentLevelAgain) {
  Play("level02", false, true);
  const unsigned int levels = g_LevelPack->GetLevelCount();
  const HWND window = game.GetWindow()->m_window;
  Platform::Testing::InjectKey(window, SDL_SCANCODE_F5, true);
  Platform::Testing::InjectKey(window, SDL_SCANCODE_F5, false);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_LOADING));
  ASSERT_TRUE(Reach(Vellgrove::VGGM_LEVEL));
  EXPECT_EQ(game.GetLevel()->Name, "level02");
  EXPECT_EQ(g_LevelPack->GetLevelCount(), levels) << "read again, not added to";
  EXPECT_EQ(Reloads(), 1);
}

// The same key pressed while the loading screen shows, again and again: each time the screen
// fades back and starts the level anew, and the level comes.
TEST_F(LevelSequence, TheDevelopersKeyOnTheLoadingScreenStillLeadsIntoTheLevel) {
  ChooseOnMap("level02", false, true);
  const HWND window = game.GetWindow()->m_window;
  for (int press = 0; press < 2; ++press) {
    SCOPED_TRACE(press);
    for (int i = 0; i < 100 && Mode() != Vellgrove::VGGM_LOADING; ++i) Step();
    ASSERT_EQ(Mode(), Vellgrove::VGGM_LOADING);
    Step(700);
    Platform::Testing::InjectKey(window, SDL_SCANCODE_F5, true);
    Platform::Testing::InjectKey(window, SDL_SCANCODE_F5, false);
    ASSERT_TRUE(FramesUntil(game, [&] { return Reloads() == press + 1; }));
  }
  ASSERT_TRUE(Reach(Vellgrove::VGGM_LEVEL));
  EXPECT_EQ(game.GetLevel()->Name, "level02");
}
