// The whole game made on its own data set, offscreen at 1024 by 768, with the multimedia clock
// stopped so that each frame moves it by hand and a documents folder of its own; what the game's
// running tests share.
#pragma once

#include "BackBufferRGB.h"
#include "GameTestSupport.h"
#include "LogCapture.h"
#include "UsersFileFixture.h"
#include "VGConfiguration.h"
#include "SRenderDevice.h"
#include "VGGameModes.h"
#include "VellgroveGame.h"

#include "WaitUntil.h"

#include "Platform/DInput8.h"
#include "Platform/InputInjection.h"
#include "Platform/TestHooks.h"
#include "Platform/Win32Messages.h"
#include "Platform/Win32Window.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace GameTest {

// The data set as the working directory, its configuration read and the clock stopped, from
// construction, so that a game made as a member of a test finds its files.
class GameDataDirectory {
 public:
  static const DWORD kStart = 1000000;

  GameDataDirectory() : m_previousDirectory(std::filesystem::current_path()) {
    std::filesystem::current_path(std::string(KORVEX_SOURCE_DIR) + "/data");
    Vellgrove::ReadConfiguration(L"config.xml");
    Platform::Testing::SetFakeClock(kStart);
  }
  ~GameDataDirectory() {
    Platform::Testing::UseRealClock();
    std::filesystem::current_path(m_previousDirectory);
  }
  GameDataDirectory(const GameDataDirectory&) = delete;
  GameDataDirectory& operator=(const GameDataDirectory&) = delete;

 private:
  std::filesystem::path m_previousDirectory;
};

class RunningGame : public ::testing::Test {
 protected:
  // The window's queued input handed on, as the main loop hands it on before a frame.
  static void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }

  // The window's queued input handled as the main loop handles it, then one frame.
  static void Frame(Vellgrove::VellgroveGame& game, DWORD milliseconds, bool render) {
    PumpMessages();
    Platform::Testing::AdvanceFakeClock(milliseconds);
    game.Update();
    if (render) game.RenderFrame();
  }

  static void Create(Vellgrove::VellgroveGame& game) {
    game.DoInit("D3D9Render");
    game.Create(L"textures.xml", "Glintmoor Dawnkeel test", 1024, 768, 32, false);
  }

  // The level mode entered from where the game stands, its fade over.
  static void EnterLevel(Vellgrove::VellgroveGame& game) {
    game.GetGameMode()->ChangeMode(Vellgrove::VGGM_LEVEL);
    for (int i = 0; i < 120 && game.GetGameMode()->GetCurrent() != Vellgrove::VGGM_LEVEL; ++i) Frame(game, 10, false);
    for (int i = 0; i < 60; ++i) Frame(game, 10, false);
    ASSERT_EQ(game.GetGameMode()->GetCurrent(), Vellgrove::VGGM_LEVEL);
  }

  static void Quit(Vellgrove::VellgroveGame& game) {
    game.GetGameMode()->ChangeMode(Vellgrove::VGGM_QUIT);
    for (int i = 0; i < 100 && !game.IsQuitRequested(); ++i) Frame(game, 10, false);
  }

  // Rendered frames until the mode is on screen and its fade from black is over.
  static bool Reach(Vellgrove::VellgroveGame& game, int mode, int frames = 3000) {
    for (int i = 0; i < frames && game.GetGameMode()->GetCurrent() != mode; ++i) Frame(game, 10, true);
    for (int i = 0; i < 60 && game.GetGameMode()->GetCurrent() == mode; ++i) Frame(game, 10, true);
    return game.GetGameMode()->GetCurrent() == mode;
  }

  // Rendered frames until the condition holds, for up to five seconds of the input thread's time.
  static bool FramesUntil(Vellgrove::VellgroveGame& game, const std::function<bool()>& condition) {
    return TestSupport::WaitUntil([&] {
      Frame(game, 10, true);
      return condition();
    });
  }

  // A few frames while the input thread polls (every 50 ms) and hands on what it found.
  static void Settle(Vellgrove::VellgroveGame& game) {
    for (int i = 0; i < 3; ++i) {
      Frame(game, 10, true);
      std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
  }

  // The pointer moved to (fx, fy), fractions of the screen, until the game has it there.
  static void PointAt(Vellgrove::VellgroveGame& game, float fx, float fy) {
    const int x = int(fx * 1024), y = int(fy * 768);
    Platform::Testing::InjectMouseMove(game.GetWindow()->m_window, x, y, 0, 0);
    ASSERT_TRUE(FramesUntil(game, [&] { return PointerAt(game, x, y); }));
    Settle(game);
  }

  static void Button(Vellgrove::VellgroveGame& game, float fx, float fy, bool down) {
    Platform::Testing::InjectMouseButton(game.GetWindow()->m_window, SDL_BUTTON_LEFT, down, int(fx * 1024),
                                         int(fy * 768));
    Settle(game);
  }

  // A click as the input thread sees one: the pointer resting there, the button down, then up.
  static void ClickAt(Vellgrove::VellgroveGame& game, float fx, float fy) {
    PointAt(game, fx, fy);
    Button(game, fx, fy, true);
    Button(game, fx, fy, false);
  }

  static void PressKey(Vellgrove::VellgroveGame& game, SDL_Scancode key) {
    for (bool down : {true, false}) {
      Platform::Testing::InjectKey(game.GetWindow()->m_window, key, down);
      Settle(game);
    }
  }

  static bool KeyHeld(Vellgrove::VellgroveGame& game, BYTE key) {
    return game.GetViewport()->GetInput()->GetKeyboard()->IsKeyPressed(key) != 0;
  }

  static bool PointerAt(Vellgrove::VellgroveGame& game, int x, int y) {
    const SCore::SMouse& mouse = *game.GetViewport()->GetInput()->GetMouse();
    return mouse.m_position[0] == x && mouse.m_position[1] == y;
  }

  // One scene of the game drawn and read back (ARGB, 1024 by 768).
  static std::vector<DWORD> Picture(Vellgrove::VellgroveGame& game) {
    return PictureOf(game, [&] { game.DoRenderScene(); });
  }

  // What the drawing puts on a black screen, read back.
  static std::vector<DWORD> PictureOf(Vellgrove::VellgroveGame& game, const std::function<void()>& draw) {
    return TestSupport::DrawAndReadBack(*game.GetViewport()->GetRenderDevice(), draw);
  }

  // Whether a pixel of the box (fractions of the screen) is within a few levels of the colour: the
  // pictures' key colours, which filtering and stretching leave nearly alone somewhere in their patch.
  static bool Shows(const std::vector<DWORD>& pixels, float left, float top, float right, float bottom, int r,
                    int g, int b) {
    for (int y = int(top * 768); y < int(bottom * 768); ++y) {
      for (int x = int(left * 1024); x < int(right * 1024); ++x) {
        const DWORD pixel = pixels[size_t(y) * 1024 + x];
        const int dr = int((pixel >> 16) & 0xFF) - r, dg = int((pixel >> 8) & 0xFF) - g;
        const int db = int(pixel & 0xFF) - b;
        if (std::abs(dr) <= 12 && std::abs(dg) <= 12 && std::abs(db) <= 12) return true;
      }
    }
    return false;
  }

  GlobalsRestorer globals;
  TestSupport::LogCapture log;
  DocumentsFolder documents;
  GameDataDirectory dataDirectory;
};

}  // namespace GameTest
