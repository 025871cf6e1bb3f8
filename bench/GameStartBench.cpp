// The whole game from its start to the main menu answering clicks, the splash pictures left out; then
// the first level running in it, frame by frame as the main loop runs it (input handled, the level
// and its world updated, the level, its frame and the sparkles of a stroke held down drawn and
// shown, offscreen at 1024 by 768), and the process's resident memory in the level. Ends with a
// closing note.
#include "BenchGame.h"
#include "SUIApplication.h"
#include "VGConfiguration.h"
#include "VGUserProfileManager.h"

#include "Platform/InputInjection.h"
#include "Platform/Win32Window.h"

#include <SDL_mouse.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

using namespace Vellgrove;

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// A line of /proc/self/status in megabytes, such as "VmRSS" or "VmHWM".
double StatusMegabytes(const std::string& key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key + ":", 0) == 0) return std::stod(line.substr(key.size() + 1)) / 1024.0;
  }
  return -1.0;
}

}  // namespace

int main() {
  Bench::ScratchDocuments documents;
  if (!documents.Made() || chdir(KORVEX_DATA_DIR) != 0) return 1;
  const auto start = Clock::now();
  ReadConfiguration(L"config.xml");
  VellgroveGame game(false);
  game.DoInit("D3D9Render");
  game.Create(L"textures.xml", "Glintmoor Dawnkeel bench", 1024, 768, 32, false);
  const auto loaded = Clock::now();

  // Straight to the menu, as the splash's end asks for it; the fade to black between them is timed apart.
  game.GetGameMode()->ChangeMode(VGGM_MENU);
  if (!Bench::WaitForMode(game, VGGM_MENU)) return 1;
  const auto switched = Clock::now();
  // The menu shows its forms as it first draws itself.
  for (int frame = 0; frame < 100 && game.GetMenu()->m_ui->GetActiveFormName().empty(); ++frame) {
    Bench::HandleQueuedInput();
    game.Update();
    game.RenderFrame();
  }
  const auto interactive = Clock::now();
  std::printf("closing note: start to the menu answering clicks: %.0f ms (loading %.0f ms, the menu's first "
              "frame %.1f ms; the fade from the splash, %.0f ms, left out)\n",
              Milliseconds(start, loaded) + Milliseconds(switched, interactive), Milliseconds(start, loaded),
              Milliseconds(switched, interactive), Milliseconds(loaded, switched));

  g_UserProfileManager->AddProfile(L"BENCH");
  game.GetGameMode()->ChangeMode(VGGM_LEVEL);
  if (!Bench::WaitForMode(game, VGGM_LEVEL)) return 1;
  game.EndStartPause();
  const HWND window = game.GetWindow()->m_window;
  Platform::Testing::InjectMouseButton(window, SDL_BUTTON_LEFT, true, 600, 500);
  const int kFrames = 300;
  const auto first = Clock::now();
  for (int i = 0; i < kFrames; ++i) {
    const double angle = 6.2831853 * i / kFrames;
    Platform::Testing::InjectMouseMove(window, int(600 + 120 * std::cos(angle)), int(450 + 90 * std::sin(angle)), 0,
                                       0);
    Bench::HandleQueuedInput();
    game.Update();
    game.RenderFrame();
  }
  const double seconds = Milliseconds(first, Clock::now()) / 1000.0;
  Platform::Testing::InjectMouseButton(window, SDL_BUTTON_LEFT, false, 600, 450);
  std::printf("closing note: the first level running with a stroke held: %.0f frames per second; resident %.0f MB "
              "(peak %.0f MB)\n",
              kFrames / seconds, StatusMegabytes("VmRSS"), StatusMegabytes("VmHWM"));
  Bench::Quit(game);
  return 0;
}
