#pragma once

#include "KorvexApplication.h"
#include "Painter.h"
#include "SpellRecognizer.h"
#include "SRenderPass.h"
#include "VGGameMode.h"
#include "VGLoading.h"
#include "VGMp3Player.h"
#include "VGSplash.h"

#include <boost/shared_ptr.hpp>

#include <atomic>

namespace Vellgrove {

// The game's application: it owns every screen and the game-mode machine with its fader, fills
// itself on the loader thread behind the loading screen, and each frame dispatches to the current
// mode's handlers. Only the modes whose screens exist have handlers: the splash (9), the loading
// screen (15, drawn only: preparing a level comes with the levels) and quit (3).
class VellgroveGame : public KorvexEngine::KorvexApplication {
 public:
  // Reads the font glyph table and the localised texts named by the configuration.
  explicit VellgroveGame(bool fullScreen);
  // Stops the input thread, and waits for it, before any member goes: its handlers point into the
  // game and its screens.
  ~VellgroveGame() override;

  void OnLeftButtonDown() override;
  void OnRightButtonDown() override {}
  void OnLeftButtonUp() override;
  void OnRightButtonUp() override {}
  void OnSetFocus() override;
  void OnKillFocus() override;
  void DoUpdate() override;
  void DoRenderScene() override;
  void DoInitObjects() override;
  void DoRestoreObjects() override {}
  void DoInvalidateObjects() override {}
  bool IsQuitRequested() override;
  void DoRenderLoading() override;
  void DoCreateLoading() override;
  void DoLoadingProgress(UINT loaded, UINT count) override;
  void OnDeviceLost() override;
  void OnDeviceReset() override;

  const boost::shared_ptr<VGGameMode>& GetGameMode() const { return m_gameMode; }
  const boost::shared_ptr<VGLoading>& GetLoading() const { return m_loading; }
  const boost::shared_ptr<VGSplash>& GetSplash() const { return m_splash; }
  const boost::shared_ptr<Painter>& GetPainter() const { return m_painter; }
  const SpellRecognizer& GetRecognizer() const { return m_recognizer; }
  bool IsLeftButtonHeld() const { return m_leftButtonHeld; }
  bool IsPaused() const { return m_paused; }

 private:
  typedef void (VellgroveGame::*UpdateHandler)(bool changed);
  typedef void (VellgroveGame::*RenderHandler)();
  struct ModeHandlers {
    int mode;
    UpdateHandler update;  // null: nothing runs
    RenderHandler render;  // null: nothing is drawn
  };
  static const ModeHandlers kModeHandlers[];
  // The handlers of a mode, or null for a mode whose screen does not exist yet.
  static const ModeHandlers* HandlersOf(int mode);

  static void CreateGameGlobals();
  // The steps of DoInitObjects that exist so far, in their order.
  void PresetTextures();
  void CreateRenderPass();
  void CreateGameMode();
  void CreateSplash();
  void LoadSounds();
  void StartMenuMusic();
  void SetLoadingProgress(float progress);

  void UpdateSplashMode(bool changed);
  void RenderSplashMode();
  void RenderLoadingMode();

  boost::shared_ptr<SCore::SRenderPass> m_renderPass;
  std::atomic<bool> m_leftButtonHeld{false};
  boost::shared_ptr<VGGameMode> m_gameMode;
  boost::shared_ptr<VGMp3Player> m_musicPlayer;
  UINT m_screenWidth = 0;
  UINT m_screenHeight = 0;
  // Written by the focus hooks on the main thread and by the pause button on the input thread.
  std::atomic<bool> m_paused{false};
  std::atomic<bool> m_startPause{false};
  boost::shared_ptr<VGSplash> m_splash;
  bool m_fullScreen;
  boost::shared_ptr<VGLoading> m_loading;
  boost::shared_ptr<Painter> m_painter;
  SpellRecognizer m_recognizer;
  std::atomic<bool> m_focusPause{false};
};

}  // namespace Vellgrove
