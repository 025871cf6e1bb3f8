// The game's own sound data as the build makes it in data/sounds: every effect registered and
// played, every track played a turn, and a broken effect that stops the registration naming itself.
#include "KorvexCoreException.h"
#include "TempFolder.h"
#include "VGGameSounds.h"
#include "VGMp3Player.h"
#include "VGSoundManager.h"
#include "WaitUntil.h"

#include "Platform/SoundTestHooks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace Vellgrove;
namespace fs = std::filesystem;

const fs::path kGameFolder = fs::path(KORVEX_SOURCE_DIR) / "data";

// Runs a test inside a working folder, as the game runs inside its own.
class ScopedWorkingFolder {
 public:
  explicit ScopedWorkingFolder(const fs::path& folder) : m_previous(fs::current_path()) { fs::current_path(folder); }
  ~ScopedWorkingFolder() { fs::current_path(m_previous); }

 private:
  fs::path m_previous;
};

bool SoundDataMade() { return fs::exists(kGameFolder / "sounds" / "score.wav") && fs::exists(kGameFolder / "sounds" / "menu.mp3"); }

void RegisterAll(VGSoundManager& manager) {
  for (std::size_t i = 0; i < g_GameSoundCount; ++i) {
    manager.AddSound(g_GameSounds[i].name, g_GameSounds[i].file, g_GameSounds[i].voices);
  }
}

class GameSoundsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!SoundDataMade()) GTEST_SKIP() << "the build has not made data/sounds";
    Platform::Testing::StartRecordingSoundCalls();
  }
  void TearDown() override { Platform::Testing::StopRecordingSoundCalls(); }

  static std::size_t CountCalls(const std::string& call, const std::string& text = std::string()) {
    std::size_t count = 0;
    for (const auto& made : Platform::Testing::RecordedSoundCalls()) {
      if (made.call == call && (text.empty() || made.text == text) && made.result >= 0) ++count;
    }
    return count;
  }
};

TEST_F(GameSoundsTest, EveryEffectIsRegisteredAndPlays) {
  ScopedWorkingFolder inGame(kGameFolder);
  VGSoundManager manager(nullptr);
  RegisterAll(manager);
  std::size_t voices = 0;
  for (std::size_t i = 0; i < g_GameSoundCount; ++i) {
    SCOPED_TRACE(g_GameSounds[i].name);
    voices += manager.GetVoices(g_GameSounds[i].name).size();
    manager.m_volume = 1.0f;
    manager.PlaySound(g_GameSounds[i].name);
    EXPECT_TRUE(manager.IsPlaying(g_GameSounds[i].name));
  }
  EXPECT_EQ(voices, 32u);
  EXPECT_EQ(CountCalls("Play"), g_GameSoundCount);
  // "Score" sounds in quick succession, one voice each.
  for (int i = 0; i < 9; ++i) manager.PlaySound("Score");
  EXPECT_EQ(CountCalls("Play"), g_GameSoundCount + 9);
}

TEST_F(GameSoundsTest, EveryTrackPlaysATurn) {
  ScopedWorkingFolder inGame(kGameFolder);
  VGMp3Player player;
  player.m_volume = 1.0f;
  player.Start();
  for (std::size_t i = 0; i < g_GameMusicCount; ++i) {
    SCOPED_TRACE(g_GameMusic[i]);
    const std::size_t runs = CountCalls("Run");
    player.Play(g_GameMusic[i]);
    EXPECT_TRUE(TestSupport::WaitUntil([&] { return CountCalls("Run") > runs; }));
    EXPECT_EQ(CountCalls("RenderFile", g_GameMusic[i]), 1u);
    player.StopImmediately();
  }
}

TEST_F(GameSoundsTest, TheShortTestTrackLoops) {
  const std::string track = KORVEX_SOUND_TEST_TRACK;
  if (!fs::exists(track)) GTEST_SKIP() << "no short test track in the build";
  VGMp3Player player;
  player.m_volume = 1.0f;
  player.Start();
  player.Play(track);
  EXPECT_TRUE(TestSupport::WaitUntil([] { return CountCalls("SetPositions") >= 2; }));
}

TEST_F(GameSoundsTest, ABrokenEffectStopsTheRegistrationNamingIt) {
  TestSupport::TempFolder copy;
  fs::copy(kGameFolder / "sounds", copy.Path() / "sounds");
  const fs::path broken = copy.Path() / "sounds" / "tooth.wav";
  fs::resize_file(broken, 40);
  ScopedWorkingFolder inCopy(copy.Path());
  VGSoundManager manager(nullptr);
  try {
    RegisterAll(manager);
    FAIL() << "a broken sound was registered";
  } catch (const SCore::KorvexCoreException& error) {
    const std::string text = error.what();
    EXPECT_NE(text.find("sound \"Tooth\" file \"sounds\\tooth.wav\""), std::string::npos) << text;
  }
  EXPECT_EQ(manager.GetVoices("Funnel").size(), 1u);
  EXPECT_THROW(manager.GetVoices("Tooth"), SCore::KorvexCoreException);
  EXPECT_THROW(manager.GetVoices("Score"), SCore::KorvexCoreException);
}

}  // namespace
