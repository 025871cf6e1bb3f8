// The music player's thread on the fake clock, seen through the graph calls it makes: the level
// curves, fades, track changes, looping, volume changes, unplayable tracks and teardown.
#include "KorvexCoreException.h"
#include "LogCapture.h"
#include "TempFolder.h"
#include "VGMp3Player.h"
#include "VGMusicLevels.h"
#include "WaitUntil.h"
#include "WaveBytes.h"

#include "Platform/SoundTestHooks.h"
#include "Platform/TestHooks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace TestSupport;
using Platform::Testing::SoundCall;
using Vellgrove::VGMp3Player;

TEST(MusicLevels, PlayCurveAndFadeLine) {
  const struct {
    float volume;
    long level;
  } play[] = {{1.0f, 0}, {0.75f, -3541}, {0.5f, -6151}, {0.25f, -8219}, {0.0f, -9932}};
  for (const auto& row : play) EXPECT_EQ(Vellgrove::PlayLevel(row.volume), row.level) << row.volume;
  const struct {
    DWORD elapsed;
    float volume;
    long level;
  } fade[] = {{0, 0.5f, -5000}, {500, 0.5f, -7500}, {999, 0.5f, -9995}, {0, 1.0f, 0}, {250, 1.0f, -2500}};
  for (const auto& row : fade) {
    EXPECT_EQ(Vellgrove::FadeLevel(Vellgrove::FadeProgress(row.elapsed, 1000), row.volume), row.level) << row.elapsed;
  }
  EXPECT_GE(Vellgrove::FadeProgress(1000, 1000), 1.0f);
  EXPECT_GE(Vellgrove::FadeProgress(0, 0), 1.0f);
}

class Mp3PlayerTest : public ::testing::Test {
 public:
  Mp3PlayerTest()
      : m_first(m_folder.Write("menu.mp3", ToneWave(2000))), m_second(m_folder.Write("bonus.mp3", ToneWave(1500))) {
    Platform::Testing::SetFakeClock(10000);
    // Time is short but keeps its proportions: the thread's 100 ms turns take a millisecond, the
    // 200 ms handshake pauses of the requests many turns. The clock moves only when a test moves it.
    Platform::Testing::SetSleepHook([](DWORD milliseconds) {
      std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds >= 200 ? 20 : 1));
    });
    Platform::Testing::StartRecordingSoundCalls();
  }
  ~Mp3PlayerTest() override {
    m_player.reset();
    Platform::Testing::SetSleepHook(nullptr);
    Platform::Testing::UseRealClock();
    Platform::Testing::StopRecordingSoundCalls();
    Platform::Testing::ClearSoundFailures();
  }

  VGMp3Player& Started(float volume) {
    m_player.reset(new VGMp3Player);
    m_player->m_volume = volume;
    m_player->Start();
    return *m_player;
  }

  static std::vector<SoundCall> Calls() { return Platform::Testing::RecordedSoundCalls(); }

  // The index of the first call at or after from that matches; fails the test after five seconds.
  static std::size_t WaitFor(const std::string& call, long long value, std::size_t from = 0) {
    return WaitForMatch(call, from, [value](const SoundCall& made) { return made.value == value; });
  }
  static std::size_t WaitForText(const std::string& call, const std::string& text, std::size_t from = 0) {
    return WaitForMatch(call, from, [&text](const SoundCall& made) { return made.text == text; });
  }
  static std::size_t WaitForAny(const std::string& call, std::size_t from = 0) {
    return WaitForMatch(call, from, [](const SoundCall&) { return true; });
  }
  static std::size_t WaitForMatch(const std::string& call, std::size_t from,
                                  const std::function<bool(const SoundCall&)>& match) {
    std::size_t found = std::string::npos;
    const bool seen = WaitUntil([&] {
      const std::vector<SoundCall> calls = Calls();
      for (std::size_t i = from; i < calls.size(); ++i) {
        if (calls[i].call == call && match(calls[i])) {
          found = i;
          return true;
        }
      }
      return false;
    });
    EXPECT_TRUE(seen) << "no " << call << " from call " << from;
    return found;
  }

  static std::vector<long long> Volumes(std::size_t from, std::size_t to) {
    std::vector<long long> volumes;
    const std::vector<SoundCall> calls = Calls();
    for (std::size_t i = from; i < to && i < calls.size(); ++i) {
      if (calls[i].call == "put_Volume" && (volumes.empty() || volumes.back() != calls[i].value)) {
        volumes.push_back(calls[i].value);
      }
    }
    return volumes;
  }

  TempFolder m_folder;
  std::string m_first;
  std::string m_second;
  std::unique_ptr<VGMp3Player> m_player;
};

TEST_F(Mp3PlayerTest, AFadeStepsToTheLinearLevelAndFallsToSilenceThenStops) {
  VGMp3Player& player = Started(0.5f);
  player.Play(m_first);
  WaitFor("put_Volume", -6151);
  player.FadeOut();
  const std::size_t start = WaitFor("put_Volume", -5000);
  Platform::Testing::AdvanceFakeClock(500);
  WaitFor("put_Volume", -7500, start);
  Platform::Testing::AdvanceFakeClock(250);
  WaitFor("put_Volume", -8750, start);
  Platform::Testing::AdvanceFakeClock(250);
  const std::size_t stop = WaitForAny("Stop", start);
  EXPECT_EQ(Volumes(start, stop), (std::vector<long long>{-5000, -7500, -8750}));
  EXPECT_EQ(Calls()[stop].time, 11000u);
  WaitForAny("Release", stop);
}

TEST_F(Mp3PlayerTest, FadeOutThenPlayStartsTheNextTrackWhenTheFadeIsOver) {
  VGMp3Player& player = Started(0.5f);
  player.Play(m_first);
  const std::size_t run = WaitForAny("Run");
  WaitFor("put_Volume", -6151, run);
  player.FadeOut();
  player.Play(m_second);
  const std::size_t fading = WaitFor("put_Volume", -5000, run);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  for (const SoundCall& made : Calls()) EXPECT_NE(made.text, m_second) << "the next track started during the fade";
  Platform::Testing::AdvanceFakeClock(1000);
  const std::size_t stop = WaitForAny("Stop", fading);
  const std::size_t next = WaitForText("RenderFile", m_second, stop);
  const std::size_t nextRun = WaitForAny("Run", next);
  EXPECT_EQ(Volumes(nextRun, WaitFor("put_Volume", -6151, nextRun) + 1), std::vector<long long>{-6151});
}

TEST_F(Mp3PlayerTest, StopImmediatelyThenPlayStopsAtOnceAndStartsTheNext) {
  VGMp3Player& player = Started(0.75f);
  player.Play(m_first);
  const std::size_t run = WaitForAny("Run");
  // The stop must find the track playing at its level, not between Run and the first turn.
  WaitFor("put_Volume", -3541, run);
  player.StopImmediately();
  player.Play(m_second);
  const std::size_t stop = WaitForAny("Stop", run);
  const std::size_t next = WaitForText("RenderFile", m_second, stop);
  WaitForAny("Run", next);
  EXPECT_EQ(Volumes(run, stop), std::vector<long long>{-3541});
  EXPECT_EQ(Calls()[next].time, 10000u) << "no time passed on the clock";
}

TEST_F(Mp3PlayerTest, PlayDuringATrackOnlyReplacesTheNameForLater) {
  VGMp3Player& player = Started(1.0f);
  player.Play(m_first);
  const std::size_t run = WaitForAny("Run");
  player.Play(m_second);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  for (std::size_t i = run; i < Calls().size(); ++i) EXPECT_NE(Calls()[i].call, "Stop");
  player.StopImmediately();
  const std::size_t stop = WaitForAny("Stop", run);
  player.Resume();
  WaitForText("RenderFile", m_second, stop);
}

TEST_F(Mp3PlayerTest, AShortTrackLoopsFromItsStart) {
  const std::string shortTrack = m_folder.Write("tick.mp3", ToneWave(50));
  VGMp3Player& player = Started(1.0f);
  player.Play(shortTrack);
  const std::size_t run = WaitForAny("Run");
  WaitFor("put_Volume", 0, run);
  Platform::Testing::AdvanceFakeClock(50);
  const std::size_t first = WaitFor("SetPositions", 0, run);
  Platform::Testing::AdvanceFakeClock(50);
  WaitFor("SetPositions", 0, first + 1);
  for (std::size_t i = run; i < Calls().size(); ++i) EXPECT_NE(Calls()[i].call, "Stop");
}

TEST_F(Mp3PlayerTest, AVolumeChangeTakesEffectOnTheNextTurn) {
  VGMp3Player& player = Started(1.0f);
  player.Play(m_first);
  const std::size_t full = WaitFor("put_Volume", 0);
  player.m_volume = 0.25f;
  const std::size_t quarter = WaitFor("put_Volume", -8219, full);
  player.m_volume = 0.0f;
  WaitFor("put_Volume", -9932, quarter);
}

TEST_F(Mp3PlayerTest, UnplayableTracksAreLoggedOnceAndRetriedUntilStopped) {
  LogCapture log;
  const std::string missing = m_folder / "missing.mp3";
  const std::string garbage = m_folder.Write("garbage.mp3", "this is no sound at all, only text");
  VGMp3Player& player = Started(1.0f);
  std::size_t from = 0;
  for (const std::string& track : {missing, garbage}) {
    SCOPED_TRACE(track);
    player.Play(track);
    for (int attempt = 0; attempt < 3; ++attempt) from = WaitForText("RenderFile", track, from) + 1;
    player.StopImmediately();
  }
  player.Play(m_first);
  const std::size_t good = WaitForText("RenderFile", m_first, from);
  WaitForAny("Run", good);
  const std::wstring text = log.Text();
  for (const std::string& track : {missing, garbage}) {
    const std::wstring line = L" VGMp3Player can't play " + std::wstring(track.begin(), track.end()) + L", trying again\n";
    const std::size_t at = text.find(line);
    ASSERT_NE(at, std::wstring::npos) << track;
    EXPECT_EQ(text.find(line, at + 1), std::wstring::npos) << "logged twice: " << track;
  }
  EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 2);
}

TEST_F(Mp3PlayerTest, AFadeAskedWhileNothingPlaysIsDropped) {
  VGMp3Player& player = Started(0.5f);
  player.FadeOut();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  player.Play(m_first);
  const std::size_t run = WaitForAny("Run");
  const std::size_t playing = WaitFor("put_Volume", -6151, run);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(Volumes(run, Calls().size()), std::vector<long long>{-6151});
  for (std::size_t i = playing; i < Calls().size(); ++i) EXPECT_NE(Calls()[i].call, "Stop");
}

TEST_F(Mp3PlayerTest, WithoutAGraphTheThreadEnds) {
  VGMp3Player& player = Started(1.0f);
  Platform::Testing::FailNextSoundCall("CoCreateInstance", E_OUTOFMEMORY);
  player.Play(m_first);
  EXPECT_TRUE(WaitUntil([&] { return !player.IsAlive(); }));
}

TEST_F(Mp3PlayerTest, AThreadThatCannotStartLeavesNothingToWaitFor) {
  m_player.reset(new VGMp3Player);
  Platform::Testing::FailNextThreadStart();
  EXPECT_THROW(m_player->Start(), SCore::KorvexCoreException);
  EXPECT_FALSE(m_player->IsAlive());
  const auto before = std::chrono::steady_clock::now();
  m_player.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(100));
}

// Holds its thread before the player's body until the test lets it go, so that what counts as
// running between the start and the body's first step can be seen.
std::atomic<bool> g_threadHeld{false};
std::atomic<bool> g_threadReleased{false};

class HeldPlayer : public VGMp3Player {
 public:
  void Run() override {
    g_threadHeld = true;
    while (!g_threadReleased) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    VGMp3Player::Run();
  }
};

// The owner may start the player as any thread object is started; its destructor must wait for the
// thread all the same.
TEST_F(Mp3PlayerTest, StartedAsAnyThreadItCountsAsRunningBeforeItsBodyBegins) {
  g_threadHeld = false;
  g_threadReleased = false;
  m_player.reset(new HeldPlayer);
  KorvexEngine::SThread& thread = *m_player;
  thread.Start();
  EXPECT_TRUE(WaitUntil([] { return g_threadHeld.load(); }));
  EXPECT_TRUE(m_player->IsAlive()) << "a destructor now would return before the thread has begun";
  g_threadReleased = true;
  // Destroyed only once the body runs, so that the test itself never frees a player in use.
  EXPECT_TRUE(WaitUntil([&] { return m_player->IsAlive(); }));
  m_player.reset();
}

TEST_F(Mp3PlayerTest, TeardownStopsTheTrackAndWaitsForTheThread) {
  const struct {
    const char* what;
    std::function<void(Mp3PlayerTest&)> reach;
    bool trackPlayed;
  } table[] = {
      {"never started", [](Mp3PlayerTest& test) { test.m_player.reset(new VGMp3Player); }, false},
      {"just started", [](Mp3PlayerTest& test) { test.Started(1.0f); }, false},
      {"idle", [](Mp3PlayerTest& test) {
         test.Started(1.0f);
         std::this_thread::sleep_for(std::chrono::milliseconds(20));
       }, false},
      {"playing", [](Mp3PlayerTest& test) {
         test.Started(1.0f).Play(test.m_first);
         WaitFor("put_Volume", 0);
       }, true},
      {"fading", [](Mp3PlayerTest& test) {
         test.Started(0.5f).Play(test.m_first);
         WaitFor("put_Volume", -6151);
         test.m_player->FadeOut();
         WaitFor("put_Volume", -5000);
       }, true},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.what);
    Platform::Testing::StartRecordingSoundCalls();
    row.reach(*this);
    const auto before = std::chrono::steady_clock::now();
    m_player.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(1000));
    const std::vector<SoundCall> calls = Calls();
    const bool stopped = calls.size() >= 2 && calls[calls.size() - 2].call == "Stop" && calls.back().call == "Release";
    EXPECT_EQ(stopped, row.trackPlayed);
  }
}

}  // namespace
