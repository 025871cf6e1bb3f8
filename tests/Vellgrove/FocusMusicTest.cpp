// The game's music when its window loses the focus away from a level and gets it back, followed
// through the calls the music thread makes on its media graphs.
#include "RunningGame.h"
#include "VGMp3Player.h"
#include "WaitUntil.h"

#include "Platform/InputInjection.h"
#include "Platform/SoundTestHooks.h"
#include "Platform/Win32Window.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using Platform::Testing::SoundCall;
using Vellgrove::VellgroveGame;

namespace {

class FocusMusic : public GameTest::RunningGame {
 protected:
  void SetUp() override {
    Platform::Testing::StartRecordingSoundCalls();
    Create(game);
  }
  void TearDown() override {
    Quit(game);
    Platform::Testing::StopRecordingSoundCalls();
  }

  static std::vector<SoundCall> Calls() { return Platform::Testing::RecordedSoundCalls(); }

  // The first call from the index on that matches, while frames move the clock on; the number of
  // calls so far when none comes in time.
  size_t FirstCall(size_t from, const std::function<bool(const SoundCall&)>& match) {
    size_t found = 0;
    const bool seen = TestSupport::WaitUntil([&] {
      Frame(game, 10, false);
      const std::vector<SoundCall> calls = Calls();
      for (found = from; found < calls.size() && !match(calls[found]); ++found) {
      }
      return found < calls.size();
    });
    EXPECT_TRUE(seen) << "no such call from call " << from;
    return found;
  }

  static std::function<bool(const SoundCall&)> Named(const std::string& name) {
    return [name](const SoundCall& call) { return call.call == name; };
  }

  static std::function<bool(const SoundCall&)> MenuTrackOpened() {
    return [](const SoundCall& call) {
      return call.call == "RenderFile" && call.text.find("menu.mp3") != std::string::npos;
    };
  }

  VellgroveGame game{false};
};

}  // namespace

// In the main menu, the window losing the focus fades the music down to silence and stops it, and
// pauses nothing; with the focus back the same track plays again from its start, at its level.
TEST_F(FocusMusic, ALostFocusFadesTheMusicOutAndTheFocusBackPlaysTheTrackAgain) {
  game.GetGameMode()->ChangeMode(Vellgrove::VGGM_MENU);
  ASSERT_TRUE(Reach(game, Vellgrove::VGGM_MENU));
  const size_t played = FirstCall(FirstCall(FirstCall(0, MenuTrackOpened()), Named("Run")), Named("put_Volume"));
  ASSERT_LT(played, Calls().size());

  const HWND window = game.GetWindow()->m_window;
  Platform::Testing::InjectFocus(window, true);
  Frame(game, 10, false);
  const std::vector<SoundCall> playing = Calls();
  const size_t beforeLoss = playing.size();
  const auto lastLevel = std::find_if(playing.rbegin(), playing.rend(), Named("put_Volume"));
  const long long level = lastLevel->value;
  Platform::Testing::InjectFocus(window, false);
  const size_t stopped = FirstCall(beforeLoss, Named("Stop"));
  ASSERT_LT(stopped, Calls().size());
  const std::vector<SoundCall> fading = Calls();
  long long quietest = 0;
  for (size_t i = beforeLoss; i < stopped; ++i) {
    if (fading[i].call == "put_Volume") quietest = std::min(quietest, fading[i].value);
  }
  EXPECT_LT(quietest, -9000) << "faded down towards silence before it stopped";
  EXPECT_FALSE(game.IsPaused());
  for (int i = 0; i < 50; ++i) Frame(game, 10, false);
  const std::vector<SoundCall> away = Calls();
  EXPECT_TRUE(std::none_of(away.begin() + long(stopped), away.end(), MenuTrackOpened()))
      << "no music while the window is in the background";

  Platform::Testing::InjectFocus(window, true);
  const size_t reopened = FirstCall(stopped, MenuTrackOpened());
  const size_t playedAgain = FirstCall(FirstCall(reopened, Named("Run")), Named("put_Volume"));
  ASSERT_LT(playedAgain, Calls().size());
  EXPECT_EQ(Calls()[playedAgain].value, level);
}
