#include "Fader.h"
#include "RunningGame.h"
#include "SRenderDevice.h"
#include "SUIControl.h"
#include "VGLevelTrainer.h"
#include "VGLevelTrainerCommandShowToolTip.h"
#include "VGPYGameObject.h"
#include "VGSoundManager.h"
#include "VGWorld.h"
#include "WaitUntil.h"

#include "Platform/D3D9TestHooks.h"
#include "Platform/InputInjection.h"
#include "Platform/Win32Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using Vellgrove::Fader;
using Vellgrove::VellgroveGame;

namespace {

class GameApplication : public GameTest::RunningGame {
 protected:
  static void Advance(VellgroveGame& game, DWORD milliseconds) {
    Platform::Testing::AdvanceFakeClock(milliseconds);
    game.Update();
    game.RenderFrame();
  }
};

size_t Find(const std::wstring& text, const wchar_t* line, size_t from) {
  const size_t at = text.find(line, from);
  return at == std::wstring::npos ? at : at + 1;
}

}  // namespace

// Loading ends with the bar full and the first level made, the splash fading in from
// black, and the game published; the splash's end asks for the menu, which the screen shows after
// the fade to black (there is no menu screen yet: nothing is drawn under the fader); quit ends the
// main loop.
TEST_F(GameApplication, InitialisesBehindTheLoadingScreenThenPlaysTheSplashAndGoesOnThroughBlack) {
  {
    VellgroveGame game(false);
    game.DoInit("D3D9Render");
    game.Create(L"textures.xml", "Glintmoor Dawnkeel test", 320, 240, 32, false);
    const std::wstring text = log.Text();
    size_t at = 0;
    for (const wchar_t* line : {L" Init objects\n", L" Presetting texture\n", L" Done\n", L" Init objects Done\n"}) {
      at = Find(text, line, at);
      ASSERT_NE(at, std::wstring::npos) << RenderTest::Narrow(line) << " in its place";
    }
    EXPECT_EQ(game.GetLoading()->GetProgressBar()->Progress, 1.0f);
    ASSERT_TRUE(game.GetLevel());
    EXPECT_EQ(game.GetLevel()->Name, "level01") << "the first level of the pack, made while loading";
    EXPECT_EQ(KorvexEngine::g_Application.load(), &game);
    EXPECT_EQ(game.GetGameMode()->GetCurrent(), Vellgrove::VGGM_SPLASH);
    EXPECT_EQ(game.GetGameMode()->GetFader()->GetState(), Fader::FADING_FROM_BLACK);
    EXPECT_EQ(game.GetSplash()->GetPictureCount(), 2u);

    Advance(game, 0);
    EXPECT_FALSE(game.GetSplash()->IsDone());
    Advance(game, 8000);
    EXPECT_TRUE(game.GetSplash()->IsDone());
    EXPECT_EQ(game.GetGameMode()->GetFader()->GetState(), Fader::CLEAR);
    Advance(game, 1);
    EXPECT_EQ(game.GetGameMode()->GetFader()->GetState(), Fader::FADING_TO_BLACK) << "the menu is asked for";
    EXPECT_EQ(game.GetGameMode()->GetCurrent(), Vellgrove::VGGM_SPLASH);
    Advance(game, 500);
    EXPECT_EQ(game.GetGameMode()->GetCurrent(), Vellgrove::VGGM_MENU);
    EXPECT_EQ(game.GetGameMode()->GetPrevious(), Vellgrove::VGGM_SPLASH);
    EXPECT_FALSE(game.IsQuitRequested());

    game.GetGameMode()->ChangeMode(Vellgrove::VGGM_QUIT);
    Advance(game, 500);
    EXPECT_TRUE(game.IsQuitRequested());
  }
  EXPECT_NE(log.Text().find(L" Input thread stopped\n"), std::wstring::npos);
  EXPECT_EQ(KorvexEngine::g_Application.load(), nullptr);
}

// The first level played in the real game: entered in its start pause, Space starts it, the pause
// button pauses it and a click in the level resumes it, a stroke drawn upwards is recognised as a
// wall that appears near it, the tutorial hears of it, and the three walk home within the play time.
TEST_F(GameApplication, TheFirstLevelIsWonByAWallDrawnWithTheMouse) {
  VellgroveGame game(false);
  Create(game);
  const HWND window = game.GetWindow()->m_window;
  EnterLevel(game);
  EXPECT_TRUE(game.IsStartPause());

  Platform::Testing::InjectKey(window, SDL_SCANCODE_SPACE, true);
  Frame(game, 10, false);
  ASSERT_TRUE(TestSupport::WaitUntil([&] { return KeyHeld(game, DIK_SPACE); }));
  Frame(game, 10, true);
  EXPECT_FALSE(game.IsStartPause());
  EXPECT_FALSE(game.IsPaused());
  Platform::Testing::InjectKey(window, SDL_SCANCODE_SPACE, false);
  ASSERT_TRUE(TestSupport::WaitUntil([&] {
    Frame(game, 0, false);
    return !KeyHeld(game, DIK_SPACE);
  }));

  // The frame around the running level: the left bar, the wall's spell icon, five life pots, the sun.
  const std::vector<DWORD> hud = Picture(game);
  EXPECT_TRUE(Shows(hud, 0.0f, 0.4f, 0.12f, 0.9f, 49, 32, 82)) << "the left bar";
  EXPECT_TRUE(Shows(hud, 0.19f, 0.92f, 0.26f, 1.0f, 16, 77, 90)) << "the wall's icon";
  for (int pot = 0; pot < 5; ++pot) {
    const float left = 0.005f + 0.0127f * float(pot);
    EXPECT_TRUE(Shows(hud, left, 0.21f, left + 0.0127f, 0.227f, 214, 40, 74)) << "pot " << pot;
  }
  EXPECT_FALSE(Shows(hud, 0.005f + 0.0127f * 5, 0.21f, 0.005f + 0.0127f * 6, 0.227f, 214, 40, 74)) << "no sixth pot";
  EXPECT_TRUE(Shows(hud, 0.2f, 0.0f, 0.35f, 0.11f, 255, 170, 74)) << "the sun";

  // Losing the focus pauses the level; Space cannot lift that pause, and the focus coming back
  // leaves the level paused until the player resumes it.
  Platform::Testing::InjectFocus(window, true);
  Frame(game, 10, false);
  Platform::Testing::InjectFocus(window, false);
  ASSERT_TRUE(TestSupport::WaitUntil([&] {
    Frame(game, 0, false);
    return game.IsFocusPause();
  }));
  EXPECT_TRUE(game.IsPaused());
  Platform::Testing::InjectKey(window, SDL_SCANCODE_SPACE, true);
  ASSERT_TRUE(TestSupport::WaitUntil([&] {
    Frame(game, 10, false);
    return KeyHeld(game, DIK_SPACE);
  }));
  Frame(game, 10, false);
  EXPECT_TRUE(game.IsPaused()) << "Space does nothing in a focus pause";
  Platform::Testing::InjectKey(window, SDL_SCANCODE_SPACE, false);
  ASSERT_TRUE(TestSupport::WaitUntil([&] {
    Frame(game, 0, false);
    return !KeyHeld(game, DIK_SPACE);
  }));
  Platform::Testing::InjectFocus(window, true);
  ASSERT_TRUE(TestSupport::WaitUntil([&] {
    Frame(game, 0, false);
    return !game.IsFocusPause();
  }));
  EXPECT_TRUE(game.IsPaused());
  Platform::Testing::InjectKey(window, SDL_SCANCODE_SPACE, true);
  ASSERT_TRUE(TestSupport::WaitUntil([&] {
    Frame(game, 10, false);
    return !game.IsPaused();
  }));
  Platform::Testing::InjectKey(window, SDL_SCANCODE_SPACE, false);
  ASSERT_TRUE(TestSupport::WaitUntil([&] {
    Frame(game, 0, false);
    return !KeyHeld(game, DIK_SPACE);
  }));

  // A minimised window has no client area: the pointer keeps a finite place.
  ShowWindow(window, SW_MINIMIZE);
  Frame(game, 10, true);
  EXPECT_TRUE(std::isfinite(game.GetSprites().Cursor->Position.X));
  EXPECT_TRUE(std::isfinite(game.GetSprites().Cursor->Position.Y));
  ShowWindow(window, SW_RESTORE);

  // The pause button, clicked through the input thread.
  const int pauseX = 40, pauseY = int(0.35f * 768);
  Platform::Testing::InjectMouseMove(window, pauseX, pauseY, 0, 0);
  ASSERT_TRUE(TestSupport::WaitUntil([&] {
    Frame(game, 0, false);
    return game.GetPauseButton()->m_state == KorvexEngine::UI::SUIControl::kOver;
  }));
  Platform::Testing::InjectMouseButton(window, SDL_BUTTON_LEFT, true, pauseX, pauseY);
  ASSERT_TRUE(TestSupport::WaitUntil([&] {
    Frame(game, 0, false);
    return game.GetPauseButton()->m_state == KorvexEngine::UI::SUIControl::kDown;
  }));
  Platform::Testing::InjectMouseButton(window, SDL_BUTTON_LEFT, false, pauseX, pauseY);
  ASSERT_TRUE(TestSupport::WaitUntil([&] {
    Frame(game, 0, false);
    return game.IsPaused();
  }));
  // A click in the level resumes it.
  const int strokeX = int(0.65f * 1024);
  Platform::Testing::InjectMouseMove(window, strokeX, int(0.82f * 768), 0, 0);
  ASSERT_TRUE(TestSupport::WaitUntil([&] {
    Frame(game, 0, false);
    return game.GetPauseButton()->m_state == KorvexEngine::UI::SUIControl::kNormal;
  }));
  Platform::Testing::InjectMouseButton(window, SDL_BUTTON_LEFT, true, strokeX, int(0.82f * 768));
  ASSERT_TRUE(TestSupport::WaitUntil([&] {
    Frame(game, 10, false);
    return !game.IsPaused();
  }));

  // The tutorial asks for the wall at once.
  for (int i = 0; i < 10; ++i) Frame(game, 10, false);
  ASSERT_EQ(game.GetLevel()->m_trainer->GetCurrent()->ID, "wait");
  // The stroke, one pointer move a frame, from the ground upwards.
  for (int y = int(0.82f * 768); y >= int(0.5f * 768); y -= 6) {
    Platform::Testing::InjectMouseMove(window, strokeX, y, 0, -6);
    ASSERT_TRUE(TestSupport::WaitUntil([&] {
      Frame(game, 0, false);
      return PointerAt(game, strokeX, y);
    }));
    Frame(game, 10, true);
  }
  // The stroke's sound is restarted whenever it has ended while the button is held. Ending it here
  // leaves only one update between its start and the check, well within the sound's length.
  Vellgrove::g_SoundManager->StopSound("Magic");
  Frame(game, 0, false);
  EXPECT_TRUE(Vellgrove::g_SoundManager->IsPlaying("Magic")) << "the stroke sounds while it is drawn";
  Platform::Testing::InjectMouseButton(window, SDL_BUTTON_LEFT, false, strokeX, int(0.5f * 768));
  Frame(game, 10, true);
  Frame(game, 10, true);

  const auto& statics = game.GetLevel()->GetWorld()->GetStaticObjects();
  const auto wall = std::find_if(statics.begin(), statics.end(), [](const auto& object) {
    return object->GetName() == "Wall" && object->IsEnable();
  });
  ASSERT_NE(wall, statics.end()) << "the stroke became a wall";
  const float strokeWorldX = 0.65f - 0.125f + 0.5f;  // the view starts half a unit in
  EXPECT_NEAR((*wall)->GetPosition().X + (*wall)->GetHalfSize().X, strokeWorldX, 0.15f) << "near the stroke";
  const auto* praise =
      dynamic_cast<const Vellgrove::VGLevelTrainerCommandShowToolTip*>(game.GetLevel()->m_trainer->GetCurrent());
  ASSERT_NE(praise, nullptr);
  EXPECT_EQ(praise->Text.rfind(L"Well done", 0), 0u) << "the tutorial took its DoneID";

  bool won = false;
  for (int frame = 0; frame < 6000 && !won; ++frame) {
    Frame(game, 10, frame % 50 == 0);
    won = game.GetGameMode()->GetPending() == Vellgrove::VGGM_SCORE;
  }
  EXPECT_TRUE(won) << "the level was not won within its play time";
  Quit(game);
}
