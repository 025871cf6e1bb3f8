// The engine's application in a real window: it opens, loads an empty texture list behind its
// loading screen, runs its main loop for some frames and writes the last frame, read back from
// the device, as a PNG picture to the path it is given. Exit status 0 when the frame shows the
// clear colour.
#include "BackBufferRGB.h"
#include "KorvexApplication.h"
#include "KorvexCoreException.h"
#include "SRenderDevice.h"
#include "SViewport.h"

#include "Platform/D3D9TestHooks.h"
#include "Platform/NativePath.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

class WindowApplication : public KorvexEngine::KorvexApplication {
 public:
  WindowApplication() {
    m_clearColor[1] = 0x20;
    m_clearColor[2] = 0x90;
    m_clearColor[3] = 0xE0;
  }
  void OnLeftButtonDown() override {}
  void OnRightButtonDown() override {}
  void OnLeftButtonUp() override {}
  void OnRightButtonUp() override {}
  void DoUpdate() override { ++m_frames; }
  void DoRenderScene() override {}
  void DoInitObjects() override {}
  void DoRestoreObjects() override {}
  void DoInvalidateObjects() override {}
  bool IsQuitRequested() override { return m_frames >= 30; }
  void DoRenderLoading() override {}
  void DoCreateLoading() override {}
  void DoLoadingProgress(UINT, UINT) override {}

  // The back buffer's pixels as RGB rows from the top.
  std::vector<unsigned char> Frame(int& width, int& height) {
    return TestSupport::BackBufferRGB(m_viewport->GetRenderDevice(), width, height);
  }

 private:
  int m_frames = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: ApplicationWindow <texture list to write> <picture to write>\n");
    return 2;
  }
  std::ofstream(argv[1]) << "<Textures>\n</Textures>\n";
  try {
    WindowApplication application;
    application.DoInit("D3D9Render");
    application.Create(Platform::Utf8ToWide(argv[1]), "Glintmoor Dawnkeel window test", 320, 240, 0, false);
    application.DoRender();
    int width = 0;
    int height = 0;
    const std::vector<unsigned char> frame = application.Frame(width, height);
    if (!stbi_write_png(argv[2], width, height, 3, frame.data(), width * 3)) return 1;
    if (frame.size() < 3 || frame[0] != 0x20 || frame[1] != 0x90 || frame[2] != 0xE0) {
      std::fprintf(stderr, "the frame is not the clear colour\n");
      return 1;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
