#include "KorvexApplication.h"
#include "KorvexCoreException.h"
#include "SRenderDevice.h"
#include "STextureManager.h"
#include "SViewport.h"

#include "Platform/D3D9TestHooks.h"
#include "Platform/InputInjection.h"
#include "Platform/NativePath.h"
#include "Platform/TestHooks.h"
#include "Platform/Win32Keyboard.h"

#include "LogCapture.h"
#include "TempFolder.h"
#include "WaitUntil.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using KorvexEngine::KorvexApplication;
using TestSupport::TempFolder;
using namespace Platform::Testing;

namespace {

void CollectBytes(void* context, void* data, int size) {
  auto* bytes = static_cast<std::string*>(context);
  bytes->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

// A small picture of one colour, as a BMP file's bytes.
std::string Picture(unsigned char red, unsigned char green, unsigned char blue) {
  std::vector<unsigned char> pixels;
  for (int i = 0; i < 16; ++i) pixels.insert(pixels.end(), {red, green, blue});
  std::string bytes;
  stbi_write_bmp_to_func(CollectBytes, &bytes, 4, 4, 3, pixels.data());
  return bytes;
}

// An application that writes down which of its hooks ran, in order.
class TestApplication : public KorvexApplication {
 public:
  TestApplication() {
    m_clearColor[1] = 0x20;
    m_clearColor[2] = 0x40;
    m_clearColor[3] = 0x80;
  }

  void OnLeftButtonDown() override { Note("left held"); }
  void OnRightButtonDown() override { Note("right held"); }
  void OnLeftButtonUp() override {}
  void OnRightButtonUp() override {}
  void OnKeyDown(UINT key) override {
    KorvexApplication::OnKeyDown(key);
    Note("key down " + std::to_string(key));
  }
  void OnKeyUp(UINT key) override {
    KorvexApplication::OnKeyUp(key);
    Note("key up " + std::to_string(key));
  }
  void OnChar(BYTE character) override {
    KorvexApplication::OnChar(character);
    Note(std::string("char ") + static_cast<char>(character));
  }
  void OnSetFocus() override { Note("focus"); }
  void OnKillFocus() override { Note("focus lost"); }
  void DoUpdate() override { ++m_frames; }
  void DoRenderScene() override {}
  // Loading may end before the main thread draws a loading frame; holding it until one is drawn
  // makes the test see the loading screen every time.
  void DoInitObjects() override {
    Note("init objects");
    TestSupport::WaitUntil([this] { return m_loadingFrameDrawn.load(); });
  }
  void DoRestoreObjects() override {}
  void DoInvalidateObjects() override {}
  bool IsQuitRequested() override { return m_frames >= m_quitAfterFrames; }
  void DoRenderLoading() override {
    if (!m_loadingFrameDrawn) Note("loading frame");
    m_loadingFrameDrawn = true;
  }
  void DoCreateLoading() override { Note("create loading"); }
  void DoLoadingProgress(UINT loaded, UINT count) override {
    Note("progress " + std::to_string(loaded) + "/" + std::to_string(count));
  }

  std::vector<std::string> Take() {
    std::lock_guard<std::mutex> hold(m_mutex);
    std::vector<std::string> taken;
    taken.swap(m_notes);
    // Held buttons are noted on every frame: keep one note per run of frames.
    taken.erase(std::unique(taken.begin(), taken.end()), taken.end());
    return taken;
  }

  HWND Window() const { return m_window->m_window; }

  std::vector<DWORD> BackBuffer() {
    const boost::shared_ptr<SCore::SRenderDevice>& device = m_viewport->GetRenderDevice();
    IDirect3DDevice9* native = device->Lock();
    IDirect3DSurface9* backBuffer = nullptr;
    native->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    std::vector<DWORD> pixels = ReadRenderTarget(backBuffer);
    backBuffer->Release();
    device->Unlock();
    return pixels;
  }

  int m_quitAfterFrames = 1000000;
  int m_frames = 0;

 private:
  void Note(const std::string& note) {
    std::lock_guard<std::mutex> hold(m_mutex);
    m_notes.push_back(note);
  }

  std::mutex m_mutex;
  std::vector<std::string> m_notes;
  std::atomic<bool> m_loadingFrameDrawn{false};
};

// Makes the device lose itself and fail its reset from the loader thread, so that the main
// thread's next loading-screen frame raises while the loader still works on the application.
class FailingResetApplication : public TestApplication {
 public:
  explicit FailingResetApplication(TestSupport::LogCapture& log) : m_log(log) {}

  void DoInitObjects() override {
    FailNextCall("Reset", D3DERR_DRIVERINTERNALERROR);
    const boost::shared_ptr<SCore::SRenderDevice>& device = m_viewport->GetRenderDevice();
    IDirect3DDevice9* native = device->Lock();
    ProvokeDeviceLoss(native);
    EndDeviceLoss(native);
    device->Unlock();
    m_resetFailed = TestSupport::WaitUntil([this] { return m_log.Text().find(L" Reset HRESULT:") != std::wstring::npos; });
    // Past the main thread's failure, the loader goes on with the application for a while.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    m_loaderEnded = true;
  }

  std::atomic<bool> m_resetFailed{false};
  std::atomic<bool> m_loaderEnded{false};

 private:
  TestSupport::LogCapture& m_log;
};

class ApplicationFrame : public testing::Test {
 protected:
  void SetUp() override {
    // The input thread sleeps through the hook as well; it then ticks without pause.
    SetSleepHook([this](DWORD milliseconds) {
      std::lock_guard<std::mutex> hold(m_sleepsMutex);
      m_sleeps.push_back(milliseconds);
    });
    StartRecordingMessageBoxes();
    m_folder.Write("Textures/red.bmp", Picture(255, 0, 0));
    m_folder.Write("Textures/green.bmp", Picture(0, 255, 0));
  }
  void TearDown() override {
    ClearFailures();
    StopRecordingMessageBoxes();
    SetSleepHook(nullptr);
  }

  std::wstring TextureList(const std::string& entries) {
    return Platform::Utf8ToWide(m_folder.Write("textures.xml", "<Textures>\n" + entries + "</Textures>\n"));
  }

  std::string Entry(const std::string& name, const std::string& file, const std::string& extra = "") {
    return "  <Texture Name=\"" + name + "\" Path=\"" + (m_folder / file) + "\"" + extra + ">\n  </Texture>\n";
  }

  bool Slept(DWORD milliseconds) {
    std::lock_guard<std::mutex> hold(m_sleepsMutex);
    return std::find(m_sleeps.begin(), m_sleeps.end(), milliseconds) != m_sleeps.end();
  }

  TempFolder m_folder;
  std::mutex m_sleepsMutex;
  std::vector<DWORD> m_sleeps;
};

}  // namespace

TEST_F(ApplicationFrame, LoadsItsTexturesBehindTheLoadingScreenThenRunsTheMainLoop) {
  TestSupport::LogCapture log;
  TestApplication application;
  application.DoInit("D3D9Render");
  application.Create(TextureList(Entry("red", "Textures/red.bmp") + Entry("green", "Textures/green.bmp",
                                                                           " MipLevels=\"1\"")),
                     "Frame test", 64, 48, 0, false);
  // The loading frame is drawn on the main thread while the loader thread works, in any order.
  std::vector<std::string> loading = application.Take();
  const auto frame = std::find(loading.begin(), loading.end(), "loading frame");
  ASSERT_NE(frame, loading.end());
  loading.erase(frame);
  EXPECT_EQ(loading, (std::vector<std::string>{"create loading", "progress 0/2", "progress 1/2", "init objects"}));
  const auto textures = application.GetViewport()->GetTextureManager();
  EXPECT_TRUE(textures->ContainsTexture("red"));
  EXPECT_TRUE(textures->ContainsTexture("green"));
  EXPECT_EQ(KorvexEngine::g_Application.load(), &application);
  EXPECT_NE(log.Text().find(L" Loaded2 textures in "), std::wstring::npos);

  const HWND window = application.Window();
  // Shift goes up before the letter: the capital made when the letter went down still counts.
  InjectKey(window, SDL_SCANCODE_LSHIFT, true);
  InjectKey(window, SDL_SCANCODE_A, true);
  InjectKey(window, SDL_SCANCODE_A, true, true);
  InjectKey(window, SDL_SCANCODE_LSHIFT, false);
  InjectKey(window, SDL_SCANCODE_A, false);
  InjectKey(window, SDL_SCANCODE_LEFT, true);
  InjectKey(window, SDL_SCANCODE_LEFT, false);
  InjectMouseButton(window, SDL_BUTTON_LEFT, true, 10, 10);
  InjectMouseButton(window, SDL_BUTTON_LEFT, false, 10, 10);
  InjectFocus(window, false);
  InjectFocus(window, true);
  InjectClose(window);
  application.DoRender();

  EXPECT_EQ(application.Take(),
            (std::vector<std::string>{"key down 16", "key down 65", "key up 16", "key up 65", "char A",
                                      "key down 37", "key up 37", "left held", "focus lost", "focus"}));
  EXPECT_FALSE(application.GetInputMessager()->IsRunning()) << "the input thread ends with the main loop";
  EXPECT_TRUE(Slept(100)) << "a loading-screen frame every 100 ms";
  EXPECT_TRUE(Slept(1000)) << "a second's pause at the end of the main loop";

  const std::vector<DWORD> pixels = application.BackBuffer();
  ASSERT_FALSE(pixels.empty());
  EXPECT_EQ(pixels[0], 0xFF204080u) << "the clear colour";
}

TEST_F(ApplicationFrame, AFailedLoadingIsReportedAndEndsTheProgram) {
  TestSupport::LogCapture log;
  TestApplication application;
  application.DoInit("D3D9Render");
  try {
    application.Create(TextureList(Entry("red", "Textures/red.bmp") + Entry("missing", "Textures/missing.bmp")),
                       "Frame test", 64, 48, 0, false);
    FAIL() << "a failed loading raises";
  } catch (const SCore::KorvexCoreException& error) {
    EXPECT_EQ(std::string(error.what()).rfind("loading failed KorvexApplication::Create()", 0), 0u) << error.what();
  }
  const auto boxes = TakeRecordedMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text.rfind("File [" + (m_folder / "Textures/missing.bmp") + "] not found", 0), 0u);
  EXPECT_NE(log.Text().find(L"KorvexCoreException:File ["), std::wstring::npos);
}

TEST_F(ApplicationFrame, AnEmptyTextureListOrAnUnknownRendererIsAClearError) {
  TestApplication unknown;
  try {
    unknown.DoInit("OpenGLRender");
    FAIL() << "only one renderer exists";
  } catch (const SCore::KorvexCoreException& error) {
    const std::string message = error.what();
    EXPECT_EQ(message.rfind("unknown Render name: OpenGLRender", 0), 0u) << message;
    EXPECT_NE(message.find("KorvexApplication::DoInit() .\\Src\\KorvexApplication at:"), std::string::npos);
  }

  TestApplication application;
  application.DoInit("D3D9Render");
  const std::wstring empty = Platform::Utf8ToWide(m_folder.Write("empty.xml", ""));
  EXPECT_THROW(application.Create(empty, "Frame test", 64, 48, 0, false), SCore::KorvexCoreException);
  const auto boxes = TakeRecordedMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find("empty.xml"), std::string::npos) << boxes[0].text;
}

TEST_F(ApplicationFrame, AFailingLoadingScreenWaitsForTheLoaderThreadBeforeCreateRaises) {
  TestSupport::LogCapture log;
  FailingResetApplication application(log);
  application.DoInit("D3D9Render");
  try {
    application.Create(TextureList(Entry("red", "Textures/red.bmp")), "Frame test", 64, 48, 0, false);
    FAIL() << "the failed reset of a loading-screen frame raises";
  } catch (const SCore::KorvexCoreException& error) {
    const std::string message = error.what();
    EXPECT_EQ(message.rfind("can't reset D3D9 device(D3DERR_DRIVERINTERNALERROR)", 0), 0u) << message;
    EXPECT_NE(message.find("KorvexApplication::Create() .\\Src\\KorvexApplication at:"), std::string::npos);
  }
  EXPECT_TRUE(application.m_resetFailed);
  EXPECT_TRUE(application.m_loaderEnded) << "Create raises only once the loader thread has ended";
  EXPECT_TRUE(TakeRecordedMessageBoxes().empty()) << "the loader itself did not fail";
  EXPECT_NE(KorvexEngine::g_Application, &application);
}
