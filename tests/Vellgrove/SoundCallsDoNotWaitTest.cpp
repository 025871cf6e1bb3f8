// No sound or music call of the game waits on the audio device: with the music graph's
// RenderFile held (a device or decoder that does not answer), every call returns on the caller's
// thread within the player's own 200 ms pauses.
#include "TempFolder.h"
#include "VGMp3Player.h"
#include "VGSoundManager.h"
#include "WaveBytes.h"

#include "Platform/SoundTestHooks.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

milliseconds Took(const std::function<void()>& call) {
  const auto start = Clock::now();
  call();
  return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

TEST(SoundCalls, ReturnWhileTheMusicDeviceHangs) {
  TestSupport::TempFolder folder;
  const std::string effect = folder.Write("click.wav", TestSupport::ToneWave(500));
  const std::string track = folder.Write("menu.mp3", TestSupport::ToneWave(1000));
  Platform::Testing::StartRecordingSoundCalls();
  Vellgrove::VGSoundManager sounds(nullptr);
  sounds.AddSound("Click", effect, 2);

  Platform::Testing::HoldRenderFile();
  {
    Vellgrove::VGMp3Player player;
    player.Start();
    const struct {
      const char* what;
      std::function<void()> call;
      milliseconds pause;
    } calls[] = {
        {"Play", [&] { player.Play(track); }, milliseconds(200)},
        {"music volume", [&] { player.m_volume = 0.5f; }, milliseconds(0)},
        {"PlaySound", [&] { sounds.PlaySound("Click"); }, milliseconds(0)},
        {"effects volume", [&] { sounds.m_volume = 0.25f; }, milliseconds(0)},
        {"IsPlaying", [&] { sounds.IsPlaying("Click"); }, milliseconds(0)},
        {"StopSound", [&] { sounds.StopSound("Click"); }, milliseconds(0)},
        {"FadeOut", [&] { player.FadeOut(); }, milliseconds(200)},
        {"Resume", [&] { player.Resume(); }, milliseconds(0)},
        {"StopImmediately", [&] { player.StopImmediately(); }, milliseconds(0)},
        {"Play again", [&] { player.Play(track); }, milliseconds(200)},
    };
    for (const auto& row : calls) {
      SCOPED_TRACE(row.what);
      const milliseconds took = Took(row.call);
      EXPECT_GE(took, row.pause);
      // Far below a device that never answers, with room for a loaded machine.
      EXPECT_LT(took, row.pause + milliseconds(250));
    }
    const auto recorded = Platform::Testing::RecordedSoundCalls();
    for (const auto& made : recorded) EXPECT_NE(made.call, "RenderFile") << "the graph answered while held";
    Platform::Testing::ReleaseRenderFile();
  }
  Platform::Testing::StopRecordingSoundCalls();
}

}  // namespace
