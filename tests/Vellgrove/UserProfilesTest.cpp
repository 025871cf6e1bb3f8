// The players' file: what each kind of file reads as, what cannot be read is set aside whole, odd
// names survive a save, saves replace the file in one step and a failed one changes nothing.
#include "UsersFileFixture.h"
#include "VGConfiguration.h"
#include "VGUserProfileManager.h"

#include "Platform/NativePath.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <iostream>
#include <list>
#include <random>
#include <thread>
#include <cmath>
#include <string>
#include <vector>

using Vellgrove::VGUserProfile;
using Vellgrove::VGUserProfileManager;

namespace {

const char* const kDeclaration = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n";
const std::string kAnn =
    R"(<Userprofile Name="Ann" Score="10" Lifes="3" Level="level02" BonusLevel="" LevelShowName="Two"></Userprofile>)";
const std::string kSettings = R"(Current="Ann" MusicVolume="0.5" SoundVolume="0.25" IsFullScreen="0")";

std::string Users(const std::string& profiles, const std::string& attributes = kSettings,
                  const std::string& table = "") {
  return kDeclaration + std::string("<Users><Userprofiles ") + attributes + ">" + profiles + "</Userprofiles>" +
         table + "</Users>\n";
}

std::string WithProfileChildren(const std::string& attributes, const std::string& children) {
  return "<Userprofile " + attributes + ">" + children + "</Userprofile>";
}

const std::string kAnnAttributes = R"(Name="Ann" Score="10" Lifes="3" Level="" BonusLevel="")";

class UserProfiles : public ::testing::Test {
 protected:
  GameTest::DocumentsFolder documents;
  TestSupport::LogCapture log;

  bool Logged(const std::wstring& text) { return log.Text().find(text) != std::wstring::npos; }
};

}  // namespace

// Each row is one file as it lies on the disk, and what the game makes of it. A file that cannot
// be read whole is moved aside unchanged and the game starts as on a first start.
TEST_F(UserProfiles, EachKindOfFileReadsAsItShould) {
  struct Row {
    const char* file;
    std::string bytes;
    size_t profiles;
    const wchar_t* current;
    unsigned int lifes;
    float music, sound;
    size_t tableRows;
    const wchar_t* logged;
    bool setAside;
  };
  const std::string table = R"(<HighScore><Score Name="Ann" Level="Two" BestScore="10"></Score></HighScore>)";
  const std::vector<Row> rows = {
      {"a whole file", Users(kAnn, kSettings, table), 1, L"Ann", 3, 0.5f, 0.25f, 1, nullptr, false},
      {"profiles at the top, the table beside them",
       kDeclaration + ("<Userprofiles " + kSettings + ">" + kAnn + "</Userprofiles>") + table, 1, L"Ann", 3, 0.5f,
       0.25f, 1, nullptr, false},
      {"no profiles element: not even the table is read", kDeclaration + ("<Users>" + table + "</Users>"), 0, L"", 0,
       1.0f, 1.0f, 0, nullptr, false},
      {"volumes beyond 0 and 1", Users(kAnn, R"(Current="Ann" MusicVolume="1.7" SoundVolume="-0.2")"), 1, L"Ann", 3,
       1.0f, 0.0f, 0, nullptr, false},
      {"a volume that is no number", Users(kAnn, R"(Current="Ann" MusicVolume="nan" SoundVolume="1")"), 1, L"Ann", 3,
       0.0f, 1.0f, 0, nullptr, false},
      {"the current player is not among them", Users(kAnn, R"(Current="Zed" MusicVolume="1" SoundVolume="1")"), 1,
       L"Ann", 3, 1.0f, 1.0f, 0, L"the current player [Zed] is not among the players", false},
      {"a trophy beyond the table",
       Users(WithProfileChildren(kAnnAttributes, R"(<Trophies><Trophy Id="31"></Trophy></Trophies>)")), 1, L"Ann", 3,
       0.5f, 0.25f, 0, L"trophy 31 of [Ann] is beyond the table of 30; skipped", false},
      {"lives below zero", Users(R"(<Userprofile Name="Ann" Score="1" Lifes="-1" Level="" BonusLevel=""></Userprofile>)"),
       1, L"Ann", 0, 0.5f, 0.25f, 0, nullptr, false},
      {"malformed", Users(kAnn).substr(0, 80), 0, L"", 0, 1.0f, 1.0f, 0, L"can't parse xml text", true},
      {"a required value missing", Users(R"(<Userprofile Score="1" Lifes="1" Level="" BonusLevel=""></Userprofile>)"),
       0, L"", 0, 1.0f, 1.0f, 0, L"can't find attribute:Name", true},
      {"a value that does not convert",
       Users(R"(<Userprofile Name="Ann" Score="many" Lifes="1" Level="" BonusLevel=""></Userprofile>)"), 0, L"", 0,
       1.0f, 1.0f, 0, L"cannot be read", true},
      {"a byte the code page lacks",
       Users("<Userprofile Name=\"A\x98\" Score=\"1\" Lifes=\"1\" Level=\"\" BonusLevel=\"\"></Userprofile>"), 0, L"",
       0, 1.0f, 1.0f, 0, L"a byte that windows-1251 does not have", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    std::filesystem::remove_all(documents.GameFolder());
    documents.WriteUsersFile(row.bytes);
    // The start-up's own look at the file, for its flag alone, refuses what the manager refuses.
    const bool windowedByTheFile = !row.setAside && row.bytes.find("IsFullScreen=\"0\"") != std::string::npos;
    Vellgrove::VGConfiguration configuration;
    configuration.fullScreen = true;
    Vellgrove::ApplyUsersFullScreen(configuration, documents.GameFolder().wstring() + L"/");
    EXPECT_EQ(configuration.fullScreen, !windowedByTheFile);

    VGUserProfileManager manager;
    EXPECT_EQ(manager.GetProfileNames().size(), row.profiles);
    const boost::shared_ptr<VGUserProfile> current = manager.GetCurrent();
    EXPECT_EQ(current ? current->m_name : std::wstring(), row.current);
    if (current) {
      EXPECT_EQ(current->m_lifes, row.lifes);
    }
    EXPECT_EQ(manager.GetMusicVolume(), row.music);
    EXPECT_EQ(manager.GetSoundVolume(), row.sound);
    EXPECT_EQ(manager.GetHighScoreRows(100).size(), row.tableRows);
    if (row.logged) {
      EXPECT_TRUE(Logged(row.logged)) << Platform::WideToUtf8(log.Text());
    }
    const std::filesystem::path aside = documents.GameFolder() / "users.xml.bad";
    EXPECT_EQ(std::filesystem::exists(aside), row.setAside);
    EXPECT_EQ(std::filesystem::exists(documents.UsersFile()), !row.setAside);
    if (row.setAside) {
      EXPECT_EQ(GameTest::DocumentsFolder::Read(aside), row.bytes) << "set aside byte for byte";
      EXPECT_TRUE(Logged(L"cannot be read")) << Platform::WideToUtf8(log.Text());
    }
    EXPECT_EQ(manager.IsFullScreen(), !windowedByTheFile);
  }
}

// A second unreadable file is set aside beside the first, which stays as it was.
TEST_F(UserProfiles, AnEarlierSetAsideFileStays) {
  const std::filesystem::path first = documents.GameFolder() / "users.xml.bad";
  GameTest::DocumentsFolder::Write(first, "the first");
  documents.WriteUsersFile("<Users");
  VGUserProfileManager manager;
  EXPECT_EQ(GameTest::DocumentsFolder::Read(first), "the first");
  EXPECT_EQ(GameTest::DocumentsFolder::Read(documents.GameFolder() / "users.xml.bad.1"), "<Users");
}

// A first start makes the folder and writes nothing until the menu saves; a save with nobody
// current (the game closed at the first-run prompt) names no current player and adds no score.
TEST_F(UserProfiles, AFirstStartWritesOnlyWhenSavedAndThenWithoutAPlayer) {
  VGUserProfileManager manager;
  EXPECT_TRUE(std::filesystem::is_directory(documents.GameFolder()));
  EXPECT_FALSE(std::filesystem::exists(documents.UsersFile()));
  EXPECT_TRUE(manager.Save());
  const std::string file = GameTest::DocumentsFolder::Read(documents.UsersFile());
  EXPECT_NE(file.find("<Userprofiles Current=\"\""), std::string::npos) << file;
  EXPECT_NE(file.find("<HighScore></HighScore>"), std::string::npos) << file;
}

// The file exactly as the game writes it: declaration, two blanks per level, CR LF line ends,
// every attribute, trophies in order and the show name twice.
TEST_F(UserProfiles, WritesTheFileInItsOneForm) {
  {
    VGUserProfileManager manager;
    manager.AddProfile(L"Ann");
    manager.SetLevel("level03", "Windstorm");
    manager.SetScore(1200);
    for (unsigned int trophy : {15u, 0u}) manager.GetCurrent()->AwardTrophy(trophy);
    manager.GetCurrent()->m_doneBonusLevels = {2, 0};
    manager.AddProfile(L"Bo");
    manager.SelectProfile(L"Ann");
    manager.SetMusicVolume(0.5f);
    manager.SetFullScreen(false);
    ASSERT_TRUE(manager.Save());
  }
  const std::vector<std::string> lines = {
      "<?xml version=\"1.0\" encoding=\"windows-1251\"?>",
      "<Users>",
      "  <Userprofiles Current=\"Ann\" MusicVolume=\"0.5\" SoundVolume=\"1\" IsFullScreen=\"0\">",
      "    <Userprofile Name=\"Bo\" Score=\"0\" Lifes=\"5\" Level=\"\" LevelShowName=\"\" BonusLevel=\"\" "
      "BonusLevelShowName=\"\">",
      "      <Trophies></Trophies>",
      "      <DoneBonusLevels></DoneBonusLevels>",
      "    </Userprofile>",
      "    <Userprofile Name=\"Ann\" Score=\"1200\" Lifes=\"5\" Level=\"level03\" LevelShowName=\"Windstorm\" "
      "BonusLevel=\"\" BonusLevelShowName=\"Windstorm\">",
      "      <Trophies>",
      "        <Trophy Id=\"0\"></Trophy>",
      "        <Trophy Id=\"15\"></Trophy>",
      "      </Trophies>",
      "      <DoneBonusLevels>",
      "        <BonusLevel Id=\"2\"></BonusLevel>",
      "        <BonusLevel Id=\"0\"></BonusLevel>",
      "      </DoneBonusLevels>",
      "    </Userprofile>",
      "  </Userprofiles>",
      "  <HighScore>",
      "    <Score Name=\"Ann\" Level=\"Windstorm\" BestScore=\"1200\"></Score>",
      "  </HighScore>",
      "</Users>",
  };
  std::string golden;
  for (const std::string& line : lines) golden += (golden.empty() ? "" : "\r\n") + line;
  EXPECT_EQ(GameTest::DocumentsFolder::Read(documents.UsersFile()), golden);
}

// Names with the characters XML gives a meaning to, and Cyrillic, come back as they were, with
// trophies, done bonus levels and the table; the start-up's own reader still finds its flag.
TEST_F(UserProfiles, OddNamesSurviveASaveAndTheStartUpStillReadsTheFile) {
  const std::vector<std::wstring> names = {L"A\"B", L"<x>", L"a&b", L"\x0418\x0432\x0430\x043d"};
  {
    VGUserProfileManager manager;
    for (const std::wstring& name : names) {
      manager.AddProfile(name);
      manager.SetLevel("level0" + std::to_string(name.size()), "Show \"" + std::to_string(name.size()) + "\" & <go>");
      manager.SetScore(100 * static_cast<unsigned int>(name.size()));
      manager.GetCurrent()->AwardTrophy(static_cast<unsigned int>(name.size()));
      manager.GetCurrent()->m_doneBonusLevels.push_back(7);
      ASSERT_TRUE(manager.Save());
    }
    manager.SelectProfile(names[1]);
    manager.SetFullScreen(false);
    ASSERT_TRUE(manager.Save());
  }
  VGUserProfileManager reread;
  std::vector<std::wstring> expected(names.rbegin(), names.rend());
  EXPECT_EQ(reread.GetProfileNames(), expected);
  EXPECT_EQ(reread.GetCurrent()->m_name, names[1]);
  for (const std::wstring& name : names) {
    const boost::shared_ptr<VGUserProfile> found = reread.FindProfile(name);
    ASSERT_TRUE(found);
    const VGUserProfile& profile = *found;
    EXPECT_EQ(profile.m_levelShowName, "Show \"" + std::to_string(name.size()) + "\" & <go>");
    EXPECT_EQ(profile.m_trophies[name.size()], 1u);
    EXPECT_EQ(profile.m_doneBonusLevels, std::list<unsigned int>{7});
  }
  const std::vector<Vellgrove::VGHighScoreEntry> rows = reread.GetHighScoreRows(10);
  ASSERT_EQ(rows.size(), names.size());
  EXPECT_EQ(rows[0].m_name, names[3]) << "the Cyrillic name's 400 first";

  Vellgrove::VGConfiguration configuration;
  configuration.fullScreen = true;
  Vellgrove::ApplyUsersFullScreen(configuration, documents.GameFolder().wstring() + L"/");
  EXPECT_FALSE(configuration.fullScreen);
  EXPECT_FALSE(Logged(L"cannot be read")) << Platform::WideToUtf8(log.Text());
}

// A save that cannot be written (here: files limited to a few bytes) leaves the old file as it
// was and is logged; the next save, once writing works, writes the state kept in memory.
TEST_F(UserProfiles, AFailedSaveLeavesTheOldFileAndTheNextSaveRetries) {
  VGUserProfileManager manager;
  manager.AddProfile(L"Ann");
  ASSERT_TRUE(manager.Save());
  const std::string before = GameTest::DocumentsFolder::Read(documents.UsersFile());
  manager.SetScore(777);

  std::signal(SIGXFSZ, SIG_IGN);
  rlimit previous{};
  getrlimit(RLIMIT_FSIZE, &previous);
  rlimit tiny = previous;
  tiny.rlim_cur = 16;
  setrlimit(RLIMIT_FSIZE, &tiny);
  const bool saved = manager.Save();
  setrlimit(RLIMIT_FSIZE, &previous);

  EXPECT_FALSE(saved);
  EXPECT_TRUE(Logged(L"was not saved")) << Platform::WideToUtf8(log.Text());
  EXPECT_EQ(GameTest::DocumentsFolder::Read(documents.UsersFile()), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(documents.GameFolder()),
                          std::filesystem::directory_iterator()),
            1) << "no temporary file left";
  ASSERT_TRUE(manager.Save());
  EXPECT_NE(GameTest::DocumentsFolder::Read(documents.UsersFile()).find("Score=\"777\""), std::string::npos);
}

// What a save killed part-way left beside the file is cleared away at the next start.
TEST_F(UserProfiles, AKilledSavesTemporaryFileIsRemovedAtTheNextStart) {
  documents.WriteUsersFile(Users(kAnn));
  const std::filesystem::path leftover = documents.GameFolder() / "users.xml.tmp4242-1";
  GameTest::DocumentsFolder::Write(leftover, "<Users><Userprof");
  VGUserProfileManager manager;
  EXPECT_FALSE(std::filesystem::exists(leftover));
  EXPECT_EQ(manager.GetProfileNames().size(), 1u);
}

TEST_F(UserProfiles, ProfileOperationsKeepACurrentPlayerOrNone) {
  VGUserProfileManager manager;
  EXPECT_EQ(manager.GetLevel(), "");
  manager.SetLevel("level01", "One");  // nobody to set it on
  manager.SetScore(5);
  EXPECT_TRUE(manager.GetHighScoreRows(10).empty());

  manager.AddProfile(L"Ann");
  manager.AddProfile(L"Ann");
  const boost::shared_ptr<VGUserProfile> newer = manager.GetCurrent();
  EXPECT_EQ(manager.GetProfileNames(), (std::vector<std::wstring>{L"Ann", L"Ann"}));
  EXPECT_EQ(manager.FindProfile(L"Ann"), newer) << "the newer namesake is at the front and found first";
  EXPECT_FALSE(manager.FindProfile(L"Nobody"));
  EXPECT_EQ(newer->m_lifes, 5u);

  manager.SelectProfile(L"Nobody");
  EXPECT_EQ(manager.GetCurrent(), newer);
  manager.RemoveProfile(L"Ann");
  EXPECT_FALSE(manager.GetCurrent()) << "the removed player is current no more";
  manager.SelectProfile(L"Ann");
  EXPECT_NE(manager.GetCurrent(), newer);
  ASSERT_TRUE(manager.GetCurrent());
}

// The menu deletes and adds players on the input thread while the game looks one up on the main
// thread: a profile found stays whole for as long as the finder holds it.
TEST_F(UserProfiles, AProfileFoundStaysWholeWhileAnotherThreadDeletesIt) {
  VGUserProfileManager manager;
  manager.AddProfile(L"Ann");
  std::atomic<bool> stop{false};
  std::thread menu([&] {
    while (!stop) {
      manager.RemoveProfile(L"Ann");
      manager.AddProfile(L"Ann");
    }
  });
  int found = 0, whole = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (found < 20000 && std::chrono::steady_clock::now() < deadline) {
    const boost::shared_ptr<VGUserProfile> profile = manager.FindProfile(L"Ann");
    if (!profile) continue;
    ++found;
    if (profile->m_name == L"Ann" && profile->m_lifes == 5) ++whole;
  }
  stop = true;
  menu.join();
  EXPECT_GT(found, 0);
  EXPECT_EQ(whole, found);
}

// A profile's bonus levels are each done once, however often a file lists them.
TEST_F(UserProfiles, ABonusLevelListedTwiceInTheFileReadsAsDoneOnce) {
  documents.WriteUsersFile(Users(WithProfileChildren(
      kAnnAttributes, R"(<DoneBonusLevels><BonusLevel Id="2"></BonusLevel><BonusLevel Id="0"></BonusLevel>)"
                      R"(<BonusLevel Id="2"></BonusLevel></DoneBonusLevels>)")));
  VGUserProfileManager manager;
  EXPECT_EQ(manager.GetCurrent()->m_doneBonusLevels, (std::list<unsigned int>{2, 0}));
}

TEST(UserProfile, TrophySetsAndTrophiesBeyondTheTable) {
  struct Row {
    std::vector<unsigned int> trophies;
    bool first, second, all;
  };
  std::vector<unsigned int> firstSet, everything;
  for (unsigned int i = 0; i < 30; ++i) (i < 15 ? firstSet : everything).push_back(i);
  everything.insert(everything.end(), firstSet.begin(), firstSet.end());
  const std::vector<Row> rows = {
      {{0, 14, 15}, false, false, false},
      {firstSet, true, false, false},
      {everything, true, true, true},
  };
  for (const Row& row : rows) {
    VGUserProfile profile;
    for (unsigned int trophy : row.trophies) profile.AwardTrophy(trophy);
    profile.AwardTrophy(30);
    EXPECT_EQ(profile.m_firstSetDone, row.first) << row.trophies.size();
    EXPECT_EQ(profile.m_secondSetDone, row.second) << row.trophies.size();
    EXPECT_EQ(profile.m_allSetsDone, row.all) << row.trophies.size();
  }
}

// A program saving in a loop, killed at random moments: the file it leaves always reads whole, as
// one of the two versions it was writing, and nothing is set aside.
TEST_F(UserProfiles, ASaveKilledAtAnyMomentLeavesOneOfTheTwoVersions) {
  {
    VGUserProfileManager manager;
    manager.AddProfile(L"Ann");
    manager.SetScore(111);
    ASSERT_TRUE(manager.Save());
  }
  std::mt19937 random(20261211);
  std::uniform_int_distribution<int> moment(1, 40);
  int seen[2] = {0, 0};
  for (int run = 0; run < 40; ++run) {
    const pid_t saver = fork();
    ASSERT_GE(saver, 0);
    if (saver == 0) {
      execl(USERS_SAVE_LOOP_PROGRAM, USERS_SAVE_LOOP_PROGRAM, static_cast<char*>(nullptr));
      _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(moment(random)));
    kill(saver, SIGKILL);
    int status = 0;
    waitpid(saver, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saver ended by itself: " << status;

    VGUserProfileManager reader;
    ASSERT_FALSE(std::filesystem::exists(documents.GameFolder() / "users.xml.bad")) << "run " << run;
    const std::vector<std::wstring> names = reader.GetProfileNames();
    const unsigned int score = reader.GetCurrent()->m_score;
    const bool versionA = names == std::vector<std::wstring>{L"Ann"} && score == 111;
    const bool versionB = names == (std::vector<std::wstring>{L"Bo", L"Ann"}) && score == 222;
    ASSERT_TRUE(versionA || versionB) << "run " << run << ": " << names.size() << " players, " << score;
    ++seen[versionA ? 0 : 1];
  }
  std::cout << "version A left " << seen[0] << " times, version B " << seen[1] << " times\n";
}
