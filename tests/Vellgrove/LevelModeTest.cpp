// The level mode's rules on the real game and its first level: which pause each event leaves the
// level in, what a finished stroke becomes, and that a stroke never outlives its level visit; and in
// a level of walls and winds, what each spell cast is worth and when the wind sounds.
#include "KorvexApplication.h"
#include "RunningGame.h"
#include "SUIToolTip.h"
#include "VGLevelPack.h"
#include "VGLevelTrainer.h"
#include "VGPYGameObject.h"
#include "VGSoundManager.h"
#include "VGUserProfileManager.h"
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

  // A click in the level ends its start pause.
  void ClickToStart() {
    Press();
    Step();
    Release();
    Step();
  }

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
  ClickToStart();
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
  ClickToStart();
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

namespace {

// A player in a level that has two walls, two winds to the right and two to the left to give.
class LevelModeWithWinds : public LevelMode {
 protected:
  void SetUp() override {
    Create(game);
    Vellgrove::g_UserProfileManager->AddProfile(L"ANN");
    Vellgrove::g_LevelPack->SetCurrentLevel("level28");
    game.GetGameMode()->ChangeMode(Vellgrove::VGGM_LOADING);
    ASSERT_TRUE(Reach(game, Vellgrove::VGGM_LEVEL));
    ASSERT_EQ(game.GetLevel()->Name, "level28");
  }
};

// A wind's chevron pointing to one side, drawn from its upper end, in the middle of the view.
Points Chevron(bool toTheRight) {
  const float open = toTheRight ? 0.45f : 0.55f, tip = toTheRight ? 0.55f : 0.45f;
  Points points = Line(open, 0.3f, tip, 0.4f, 20);
  const Points back = Line(tip, 0.4f, open, 0.5f, 20);
  points.insert(points.end(), back.begin() + 1, back.end());
  return points;
}

}  // namespace

// Every spell the level takes adds 100 to the player's score, and a wind also sounds; a wind the
// level has no more of to give adds nothing and makes no wind.
TEST_F(LevelModeWithWinds, EachSpellTakenScoresAHundredAndAWindSounds) {
  ClickToStart();
  ASSERT_FALSE(game.IsPaused());
  struct Row {
    const char* spell;
    Points stroke;
    int recognised;
    unsigned int gain;
    bool wind;
  };
  const std::vector<Row> rows = {
      {"a wall", Line(0.3f, 0.6f, 0.3f, 0.35f, 40), Vellgrove::VGTT_WALL, 100, false},
      {"a wind to the right", Chevron(true), Vellgrove::VGTT_WINDRIGHT, 100, true},
      {"a wind to the left", Chevron(false), Vellgrove::VGTT_WINDLEFT, 100, true},
      {"the second wind to the right", Chevron(true), Vellgrove::VGTT_WINDRIGHT, 100, true},
      {"a third wind to the right", Chevron(true), Vellgrove::VGTT_WINDRIGHT, 0, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.spell);
    for (const auto& point : row.stroke) game.GetPainter()->Render(point.first, point.second);
    Vellgrove::StrokeRect rect{};
    ASSERT_EQ(game.GetRecognizer().Recognize(game.GetPainter()->GetStrokeBitmap(rect)), row.recognised);
    Vellgrove::g_SoundManager->StopSound("Wind");
    const unsigned int score = Vellgrove::CurrentProfile()->m_score;
    Step();
    EXPECT_EQ(Vellgrove::CurrentProfile()->m_score, score + row.gain);
    EXPECT_EQ(Vellgrove::g_SoundManager->IsPlaying("Wind"), row.wind);
  }
}
