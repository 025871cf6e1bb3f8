// The game's program as the player starts it, with a game object that watches its own frames: it
// notes a loading-screen frame for each value the loader gives the bar (waiting for a frame of
// each) and keeps the first and the last as pictures, keeps frames of the splash at fixed times,
// writes the pictures as PNG into the folder it is given, with one line per frame in "frames.txt",
// and closes its window the way a player does once the splash has ended. Run it from the game's
// working directory.
#include "BackBufferRGB.h"
#include "Fader.h"
#include "SRenderDevice.h"
#include "VGStartUp.h"

#include "Platform/D3D9TestHooks.h"
#include "Platform/InputInjection.h"
#include "Platform/MMSystem.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace {

// Frames by milliseconds of the splash's clock, which starts as loading ends: the middle of the
// first picture, the first picture fading out to black, the middle of the second (the last, which
// does not fade), and the screen after the slideshow.
struct Moment {
  DWORD since;
  const char* name;
};
const Moment kMoments[] = {{2000, "splash-1"}, {3850, "splash-fade"}, {6000, "splash-2"}, {9500, "after-splash"}};
const DWORD kCloseAfter = 10000;
// Where the bar stands once the texture list is loaded.
const float kLoadedTexturesProgress = 0.6999f;

class ObservedGame : public Vellgrove::VellgroveGame {
 public:
  ObservedGame(bool fullScreen, const std::string& folder)
      : VellgroveGame(fullScreen), m_folder(folder), m_list(folder + "/frames.txt") {}

  void DoLoadingProgress(UINT loaded, UINT count) override {
    VellgroveGame::DoLoadingProgress(loaded, count);
    // The bar's every value reaches the screen before the loader goes on.
    std::unique_lock<std::mutex> hold(m_mutex);
    const float progress = GetLoading()->GetProgressBar()->Progress;
    m_shown.wait_for(hold, std::chrono::seconds(5), [&] { return m_lastShownProgress == progress; });
  }

  void DoRenderLoading() override {
    VellgroveGame::DoRenderLoading();
    std::lock_guard<std::mutex> hold(m_mutex);
    const float progress = GetLoading()->GetProgressBar()->Progress;
    if (progress != m_lastShownProgress) {
      // Writing a picture of every step would take longer than loading itself in a sanitised build.
      const bool picture = m_loadingFrames == 0 || progress >= kLoadedTexturesProgress;
      Keep("loading-" + std::to_string(++m_loadingFrames), "progress " + std::to_string(progress), picture);
      m_lastShownProgress = progress;
    }
    m_shown.notify_all();
  }

  void DoRenderScene() override {
    // Taken before drawing, so that the time noted with a frame is the time that frame shows.
    const DWORD since = timeGetTime() - GetSplash()->GetStartTime();
    VellgroveGame::DoRenderScene();
    while (m_nextMoment < std::size(kMoments) && since >= kMoments[m_nextMoment].since) {
      Keep(kMoments[m_nextMoment].name, "mode " + std::to_string(GetGameMode()->GetCurrent()) + " fader " +
                                            std::to_string(GetGameMode()->GetFader()->GetState()) + " at " +
                                            std::to_string(since));
      ++m_nextMoment;
    }
    if (since >= kCloseAfter && !m_closed) {
      m_closed = true;
      Platform::Testing::InjectClose(GetWindow()->m_window);
    }
  }

 private:
  // The back buffer as it stands, drawn but not yet presented.
  void Keep(const std::string& name, const std::string& note, bool picture = true) {
    const std::string file = name + ".png";
    if (picture) {
      int width = 0;
      int height = 0;
      const std::vector<unsigned char> rgb =
          TestSupport::BackBufferRGB(GetViewport()->GetRenderDevice(), width, height);
      stbi_write_png((m_folder + "/" + file).c_str(), width, height, 3, rgb.data(), width * 3);
    }
    m_list << file << " " << note << std::endl;
  }

  std::string m_folder;
  std::ofstream m_list;
  std::mutex m_mutex;
  std::condition_variable m_shown;
  float m_lastShownProgress = -1.0f;
  int m_loadingFrames = 0;
  size_t m_nextMoment = 0;
  bool m_closed = false;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: ObservedGame <folder for the frames>\n");
    return 2;
  }
  const std::string folder = argv[1];
  return Vellgrove::VGStartUp::Run([folder](bool fullScreen) {
    return boost::shared_ptr<Vellgrove::VellgroveGame>(new ObservedGame(fullScreen, folder));
  });
}
