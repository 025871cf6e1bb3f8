// Frames per second of two screens of the whole game, offscreen at 1024 by 768 on the game's own
// data: the world map as a player who has finished every level and won every trophy sees it (every
// dotted path and every star drawn), and each comics of the pack playing through its camera path.
// Each frame is the game's own: queued input handled, the screen updated, the scene drawn and shown.
// Ends with a closing note.
#include "BenchGame.h"
#include "SRenderDevice.h"
#include "SXMLDeserializator.h"
#include "VGComics.h"
#include "VGComicsPack.h"
#include "VGConfiguration.h"
#include "VGLevelPack.h"
#include "VGMap.h"
#include "VGUserProfile.h"
#include "VGUserProfileManager.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

using namespace Vellgrove;

namespace {

using Clock = std::chrono::steady_clock;

// Frames per second of the frame, after a few frames that warm the caches.
double FramesPerSecond(int frames, const std::function<void()>& frame) {
  for (int i = 0; i < 10; ++i) frame();
  const auto start = Clock::now();
  for (int i = 0; i < frames; ++i) frame();
  return frames / std::chrono::duration<double>(Clock::now() - start).count();
}

bool ShowEveryPathAndStar(VellgroveGame& game) {
  g_UserProfileManager->AddProfile(L"BENCH");
  g_UserProfileManager->SetLevel("done", "done");
  for (unsigned int trophy = 0; trophy < 30; ++trophy) g_UserProfileManager->GetCurrent()->AwardTrophy(trophy);
  game.GetMap()->m_isBonus = false;
  game.GetGameMode()->ChangeMode(VGGM_MAP);
  return Bench::WaitForMode(game, VGGM_MAP);
}

}  // namespace

int main() {
  Bench::ScratchDocuments documents;
  if (!documents.Made() || chdir(KORVEX_DATA_DIR) != 0) {
    std::fprintf(stderr, "no documents folder or no data folder at %s\n", KORVEX_DATA_DIR);
    return 1;
  }
  ReadConfiguration(L"config.xml");
  VellgroveGame game(false);
  game.DoInit("D3D9Render");
  game.Create(L"textures.xml", "Glintmoor Dawnkeel bench", 1024, 768, 32, false);

  if (!ShowEveryPathAndStar(game)) {
    std::fprintf(stderr, "the map did not come up: mode %d\n", int(game.GetGameMode()->GetCurrent()));
    return 1;
  }
  const double map = FramesPerSecond(300, [&] {
    Bench::HandleQueuedInput();
    game.Update();
    game.RenderFrame();
  });
  std::printf("closing note: the world map with every path and star (%zu pots): %.0f frames per second\n",
              game.GetMap()->GetPots().size(), map);

  VGComicsPack pack(game.GetInputMessager());
  SCore::SXMLDeserializator reader(L"Levels\\comics.xml");
  pack.DoDeserialize(reader);
  SCore::SRenderDevice& device = *game.GetViewport()->GetRenderDevice();
  for (unsigned int level = 0; level < g_LevelPack->GetLevelCount(); ++level) {
    const boost::shared_ptr<VGComics> comics = pack.GetComics(g_LevelPack->GetLevelName(level));
    if (!comics) continue;
    const double fps = FramesPerSecond(300, [&] {
      comics->Update();
      device.DoClearScene(0, 0, 0);
      device.DoClearScene(1.0f);
      device.DoBeginScene();
      comics->Render();
      device.EndScene();
    });
    std::printf("closing note: the comics before %s: %.0f frames per second\n",
                g_LevelPack->GetLevelName(level).c_str(), fps);
  }

  Bench::Quit(game);
  return 0;
}
