#pragma once

#include "SApplication.h"
#include "SInputMessager.h"
#include "SLockGuard.h"
#include "SWindow.h"
#include "TSafeData.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace SCore {
class SDeserializator;
class SViewport;
}  // namespace SCore

namespace KorvexEngine {

// The engine's program skeleton: the window, the viewport with its device, input and textures,
// the loader thread behind a loading screen, the UI input thread and the main loop of one
// message, one update and one frame per turn. The game fills the hooks.
class KorvexApplication : public SApplication {
 public:
  KorvexApplication();
  ~KorvexApplication() override;

  void DoInit(const std::string& rendererName) override;
  // The main loop; returns when the program is to end.
  void DoRender() override;
  void DoReserved() override {}
  void OnKeyDown(UINT key) override;
  void OnKeyUp(UINT key) override;
  void OnChar(BYTE character) override;

  virtual void DoUpdate() = 0;
  virtual void DoRenderScene() = 0;
  virtual void DoInitObjects() = 0;
  virtual void DoRestoreObjects() = 0;
  virtual void DoInvalidateObjects() = 0;
  virtual void DoLoadTextures(SCore::SDeserializator& reader);
  virtual bool IsQuitRequested() = 0;
  virtual void DoRenderLoading() = 0;
  virtual void DoCreateLoading() = 0;
  virtual void DoLoadingProgress(UINT loaded, UINT count) = 0;
  virtual void OnDeviceLost() {}
  virtual void OnDeviceReset() {}

  // Opens the window and the device, loads the texture list on the loader thread behind the
  // loading screen, starts the UI input thread and publishes the application. A loading that
  // failed (the loader thread has reported it) raises "loading failed".
  void Create(const std::wstring& textureListPath, const char* title, int width, int height, int colorDepth,
              bool fullScreen);

  void Update();
  void RenderFrame();
  void BeginFrame();
  void RunLoadingScreen();
  void Init3DObjects();
  void Invalidate3DObjects();
  void LoadTextures(const std::wstring& path);
  void LoadingTask();
  void LoadingFinished();
  void LoadingFailed();

  const boost::shared_ptr<SInputMessager>& GetInputMessager() const { return m_inputMessager; }
  const boost::shared_ptr<SCore::SViewport>& GetViewport() const { return m_viewport; }
  const boost::shared_ptr<SCore::SWindow>& GetWindow() const { return m_window; }

  static LRESULT WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  void CreateMainWindow(int width, int height, DWORD style);
  // Tells the UI input thread to stop and waits until it has, so that nothing it calls is
  // destroyed under it.
  void StopInputThread();

  boost::shared_ptr<SCore::SViewport> m_viewport;
  boost::shared_ptr<SCore::SWindow> m_window;
  boost::shared_ptr<SInputMessager> m_inputMessager;
  int m_clearingEnabled = 1;
  BYTE m_clearColor[4] = {255, 0, 0, 0};
  TSafeData<bool> m_loading;
  TSafeData<bool> m_loadingFailed;
  std::wstring m_textureListPath;
  // Around each frame's clear and begin-scene and its end-scene and present, each loading-screen
  // frame, and each texture's creation on the loader thread.
  SLockGuard m_renderLock;
};

// The mouse buttons as the window messages report them; written and read on the main thread.
extern BYTE g_LeftButtonDown;
extern BYTE g_RightButtonDown;

}  // namespace KorvexEngine
