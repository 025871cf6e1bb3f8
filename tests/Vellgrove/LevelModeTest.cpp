// The level mode's rules on the real game and its first level: which pause each event leaves the
// level in, what a finished stroke becomes, and that a stroke never outlives its level visit.
#include "KorvexApplication.h"
#include "RunningGame.h"
#include "SUIToolTip.h"
#include "VGLevelTrainer.h"
#include "VGPYGameObject.h"
#include "VGSoundManager.h"
#include "VGWorld.h"
#include "WaitUntil.h"

#include "Platform/InputInjection.h"
#include "Platform/Win32Window.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

using Vellgrove::VellgroveGame;

namespace {

class LevelMode : public GameTest::RunningGame {
 protected:
  void SetUp() override {
    Create(game);
    EnterLevel(game);
  }

  void TearDown() override {
    Release();
    Quit(game);
  }

  void Step() { Frame(game, 10, false); }

  // The left button as the window's messages leave it for the next frame.
  static void Press() { KorvexEngine::g_LeftButtonDown = 1; }
  static void Release() { KorvexEngine::g_LeftButtonDown = 0; }

  void EnterMenuAndComeBack() {
    game.GetGameMode()->ChangeMode(Vellgrove::VGGM_MENU);
    for (int i = 0; i < 120 && game.GetGameMode()->GetCurrent() != Vellgrove::VGGM_MENU; ++i) Step();
    ASSERT_EQ(game.GetGameMode()->GetCurrent(), Vellgrove::VGGM_MENU);
    EnterLevel(game);
  }

  bool WallStands() const {
    const auto& statics = game.GetLevel()->GetWorld()->GetStaticObjects();
    return std::any_of(statics.begin(), statics.end(),
                       [](const auto& object) { return object->GetName() == "Wall" && object->IsEnable(); });
  }

  std::wstring ToolTipText() const { return game.GetLevel()->m_trainer->m_toolTip->m_label->m_text; }

  VellgroveGame game{false};
};

using Points = std::vector<std::pair<float, float>>;

Points Line(float x0, float y0, float x1, float y1, int count) {
  Points points;
  for (int i = 0; i < count; ++i) {
    const float t = float(i) / float(count - 1);
    points.emplace_back(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t);
  }
  return points;
}

// An arch over the ground, drawn from its left foot.
Points Arch() {
  Points points;
  for (int i = 0; i <= 40; ++i) {
    const float angle = 3.14159265f * float(i) / 40.0f;
    points.emplace_back(0.55f - 0.12f * std::cos(angle), 0.8f - 0.25f * std::sin(angle));
  }
  return points;
}

}  // namespace

// Each row is one event and the pauses it leaves; the level was entered in its start pause.
TEST_F(LevelMode, PausesFollowTheEventsInTheirOrder) {
  struct Row {
    const char* event;
    std::function<void()> act;
    bool startPause, paused, focusPause;
  };
  const std::vector<Row> rows = {
      {"the level entered", [] {}, true, true, false},
      {"the pause button in the start pause", [&] { game.OnPauseButton(); }, true, true, false},
      {"focus lost in the start pause", [&] { game.OnKillFocus(); }, true, true, false},
      {"a click ends the start pause", [&] { Press(); Step(); }, false, false, false},
      {"released", [&] { Release(); }, false, false, false},
      {"the pause button", [&] { game.OnPauseButton(); }, false, true, false},
      {"a click in the level resumes", [&] { Press(); Step(); }, false, false, false},
      {"released again", [&] { Release(); }, false, false, false},
      {"focus lost", [&] { game.OnKillFocus(); }, false, true, true},
      {"the pause button in a focus pause", [&] { game.OnPauseButton(); }, false, true, true},
      {"focus back keeps the pause", [&] { game.OnSetFocus(); }, false, true, false},
      {"the pause button resumes", [&] { game.OnPauseButton(); }, false, false, false},
      {"the pause button again", [&] { game.OnPauseButton(); }, false, true, false},
      {"left for the menu and back while paused", [&] { EnterMenuAndComeBack(); }, false, true, false},
      {"resumed", [&] { game.OnPauseButton(); }, false, false, false},
      {"left for the menu and back running", [&] { EnterMenuAndComeBack(); }, true, true, false},
  };
  for (const Row& row : rows) {
    row.act();
    Step();
    EXPECT_EQ(game.IsStartPause(), row.startPause) << row.event;
    EXPECT_EQ(game.IsPaused(), row.paused) << row.event;
    EXPECT_EQ(game.IsFocusPause(), row.focusPause) << row.event;
  }
}

// Space toggles the pause once per press, however long it is held.
TEST_F(LevelMode, SpaceTogglesThePauseOncePerPress) {
  const HWND window = game.GetWindow()->m_window;
  Press();
  Step();
  Release();
  Step();
  ASSERT_FALSE(game.IsPaused());
  for (bool pausedAfter : {true, false}) {
    Platform::Testing::InjectKey(window, SDL_SCANCODE_SPACE, true);
    ASSERT_TRUE(TestSupport::WaitUntil([&] {
      Step();
      return KeyHeld(game, DIK_SPACE);
    }));
    for (int i = 0; i < 5; ++i) Step();
    EXPECT_EQ(game.IsPaused(), pausedAfter);
    Platform::Testing::InjectKey(window, SDL_SCANCODE_SPACE, false);
    ASSERT_TRUE(TestSupport::WaitUntil([&] {
      Step();
      return !KeyHeld(game, DIK_SPACE);
    }));
  }
}

// A finished stroke in the first level, whose only spell is the wall: what is too small to be a
// spell is let go silently, what is no spell or a spell the level lacks is refused aloud and the
// tutorial hears of it, and the wall rises silently.
TEST_F(LevelMode, AFinishedStrokeIsLetGoRefusedOrCast) {
  Press();
  Step();
  Release();
  Step();
  ASSERT_FALSE(game.IsPaused());
  struct Row {
    const char* stroke;
    Points points;
    int recognised;
    bool refused, wall;
    const wchar_t* toolTip;
  };
  const std::vector<Row> rows = {
      {"nothing", {}, -1, false, false, L"A pit!"},
      {"a click", {{0.5f, 0.5f}}, -1, false, false, L"A pit!"},
      {"a dash", Line(0.5f, 0.5f, 0.515f, 0.5f, 4), -1, true, false, L"Not quite"},
      {"an arch, the bridge the level lacks", Arch(), Vellgrove::VGTT_BRIDGE, true, false, L"Not quite"},
      {"a line upwards", Line(0.63f, 0.8f, 0.63f, 0.5f, 40), Vellgrove::VGTT_WALL, false, true, L"Well done"},
  };
  for (const Row& row : rows) {
    for (const auto& point : row.points) game.GetPainter()->Render(point.first, point.second);
    Vellgrove::StrokeRect rect{};
    EXPECT_EQ(game.GetRecognizer().Recognize(game.GetPainter()->GetStrokeBitmap(rect)), row.recognised) << row.stroke;
    Vellgrove::g_SoundManager->StopSound("RecErr");
    Step();
    EXPECT_EQ(Vellgrove::g_SoundManager->IsPlaying("RecErr"), row.refused) << row.stroke;
    for (int i = 0; i < 5; ++i) Step();
    EXPECT_EQ(ToolTipText().rfind(row.toolTip, 0), 0u) << row.stroke;
    EXPECT_EQ(WallStands(), row.wall) << row.stroke;
    EXPECT_FALSE(Vellgrove::g_SoundManager->IsPlaying("Wind")) << row.stroke;
  }
}

// A stroke still held when the level is left is forgotten: coming back, releasing it casts nothing.
TEST_F(LevelMode, AStrokeHeldAcrossAModeSwitchIsNotCast) {
  Press();
  Step();
  for (const auto& point : Line(0.63f, 0.8f, 0.63f, 0.5f, 40)) game.GetPainter()->Render(point.first, point.second);
  Vellgrove::StrokeRect rect{};
  ASSERT_EQ(game.GetRecognizer().Recognize(game.GetPainter()->GetStrokeBitmap(rect)), Vellgrove::VGTT_WALL);
  game.GetGameMode()->ChangeMode(Vellgrove::VGGM_MENU);
  for (int i = 0; i < 120 && game.GetGameMode()->GetCurrent() != Vellgrove::VGGM_MENU; ++i) Step();
  Release();
  EnterLevel(game);
  EXPECT_FALSE(WallStands());
  EXPECT_FALSE(Vellgrove::g_SoundManager->IsPlaying("Magic"));
}
