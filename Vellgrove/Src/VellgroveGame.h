#pragma once

#include "GameSprites.h"
#include "KorvexApplication.h"
#include "Painter.h"
#include "SUIButton.h"
#include "TSafeData.h"
#include "VGFrame.h"
#include "VGLevel.h"
#include "VGLockGuard.h"
#include "VGParticles.h"
#include "SpellRecognizer.h"
#include "SRenderPass.h"
#include "VGGameMode.h"
#include "VGLoading.h"
#include "VGMap.h"
#include "VGScoreCount.h"
#include "VGTropheis.h"
#include "VGComics.h"
#include "VGComicsPack.h"
#include "VGFinalCut.h"
#include "VGIntro.h"
#include "VGMenu.h"
#include "VGMp3Player.h"
#include "VGSplash.h"
#include "SUIApplication.h"

#include <boost/shared_ptr.hpp>

#include <atomic>

namespace Vellgrove {

// The game's application: it owns every screen and the game-mode machine with its fader, fills
// itself on the loader thread behind the loading screen, and each frame dispatches to the current
// mode's handlers: a level visit runs map, loading, level, then comics and score or game over, and
// the trophies, the map or the final cut-scene follow.
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
  bool IsStartPause() const { return m_startPause; }
  bool IsFocusPause() const { return m_focusPause; }
  const GameSprites& GetSprites() const { return m_sprites; }
  const boost::shared_ptr<VGLevel>& GetLevel() const { return m_level; }
  const boost::shared_ptr<VGFrame>& GetFrame() const { return m_frame; }
  const boost::shared_ptr<KorvexEngine::UI::SUIButton>& GetPauseButton() const { return m_pauseButton; }
  const boost::shared_ptr<VGMenu>& GetMenu() const { return m_menu; }
  const boost::shared_ptr<VGMap>& GetMap() const { return m_map; }
  const boost::shared_ptr<VGTropheis>& GetTropheis() const { return m_tropheis; }
  const boost::shared_ptr<VGScoreCount>& GetScoreCount() const { return m_scoreCount; }
  bool IsFullScreen() const { return m_fullScreen; }
  const boost::shared_ptr<VGMp3Player>& GetMusicPlayer() const { return m_musicPlayer; }
  const boost::shared_ptr<VGIntro>& GetIntro() const { return m_intro; }
  const boost::shared_ptr<VGFinalCut>& GetFinalCut() const { return m_finalCut; }
  const boost::shared_ptr<VGComics>& GetComics() const { return m_comics; }
  const boost::shared_ptr<KorvexEngine::UI::SUIApplication>& GetGameMenu() const { return m_gameMenu; }
  bool IsTrophyWon() const { return m_trophyWon; }

  // The developer's reload: window message 0x400 reads both level packs again and replays.
  void OnMessage(UINT message, UINT wParam, UINT lParam) override;

  // The level mode's input-thread handlers: the menu button (and Escape) asks for the in-game menu,
  // the pause button toggles the pause unless a focus or start pause holds.
  void RequestGameMenu();
  void OnPauseButton();
  void EndStartPause();

  // The in-game menu's buttons, on the input thread. Replay is also how a failed level starts again.
  void OnGameMenuResume();
  void OnGameMenuBackToMenu();
  void OnGameMenuBackToMap();
  void OnGameMenuReplay();
  void PlayFocusSound();

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
  void LoadLevelPacks();
  void CreateFrame();
  void CreateParticles();
  void InitSprites();
  void CreateLevelButtons();
  void CreateMenu();
  void CreateScoreCount();
  void CreateMap();
  void CreateTropheis();
  void LoadComicsPack();
  void CreateIntro();
  void CreateFinalCut();
  void StartMenuMusic();
  void SetLoadingProgress(float progress);

  // The level, its frame's name and spell icons, and the frame walls; the main or the bonus pack's
  // cursor says which.
  void CreateLevelNextLevel();
  void CreateLevel1();
  void PrepareFrameForLevel();
  void CreateFrameObject();

  // The chain around a level (VellgroveGameSequence.cpp): loading (15), completion, comics (5),
  // score (7), game over (8).
  void UpdateLoadingMode(bool changed);
  void CompleteLevel();
  void CompleteLevelByChord();
  void ReadCharacterStates();
  void UpdateComicsMode(bool changed);
  void RenderComicsMode();
  void UpdateScoreMode(bool changed);
  void RenderScoreMode();
  void AwardLevelTrophy();
  void ChooseScreenAfterScore();
  void GoToTrophiesOrMap();
  void StartFinalCut();
  void GameOver();
  void UpdateGameOverMode(bool changed);
  void RenderGameOverMode();

  // The in-game menu (VellgroveGameMenu.cpp).
  void CreateGameMenu();
  void AttachEvent(const boost::shared_ptr<KorvexEngine::UI::SUIButton>& button, void (VellgroveGame::*handler)());
  void AttachFocusSound(const boost::shared_ptr<KorvexEngine::UI::SUIButton>& button);
  bool IsGameMenuOpen();

  // Modes 11 and 12, the intro and the final cut-scene (VellgroveGameStoryModes.cpp).
  void UpdateIntroMode(bool changed);
  void RenderIntroMode();
  void UpdateFinalCutMode(bool changed);
  void RenderFinalCutMode();

  // Mode 0, the running level (VellgroveGameLevelMode.cpp).
  void UpdateLevelMode(bool changed);
  void RenderLevelMode();
  void EnterLevelVisit(bool changed);
  void TakeGameMenuRequest();
  void ScrollLevel();
  void HandleLevelKeys();
  void CheckLevelEnd();
  void DrawStroke();
  void ReleaseStroke();
  void CountLives();
  void RenderLevelView();
  void UseLevelView();
  void UseScreenView();
  void RenderLevelTexts();
  void LogLevelEvent(const char* what);
  // The stroke's sound ends whenever the stroke can no longer be drawn.
  static void StopMagicSound();

  // Puts the pointer sprite where the system cursor is, every frame.
  void UpdateCursor();

  // Mode 1, the main menu (VellgroveGameMenuMode.cpp).
  void UpdateMenuMode(bool changed);
  void RenderMenuMode();
  void ResumeLevelFromMenu(bool bonus);
  void ToggleFullScreen();
  void CentreWindow();

  // Mode 13, the world map.
  void UpdateMapMode(bool changed);
  void RenderMapMode();
  // Mode 14, the trophies.
  void UpdateTrophiesMode(bool changed);
  void RenderTrophiesMode();

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
  boost::shared_ptr<VGLevel> m_level;
  boost::shared_ptr<VGFrame> m_frame;
  boost::shared_ptr<VGParticles> m_particles;
  GameSprites m_sprites;
  boost::shared_ptr<KorvexEngine::UI::SUIButton> m_menuButton;
  boost::shared_ptr<KorvexEngine::UI::SUIButton> m_pauseButton;
  KorvexEngine::TSafeData<bool> m_gameMenuRequested;
  bool m_spaceLatch = false;
  VGLockGuard m_gameLock;
  boost::shared_ptr<VGMenu> m_menu;
  boost::shared_ptr<VGMap> m_map;
  boost::shared_ptr<VGTropheis> m_tropheis;
  boost::shared_ptr<VGScoreCount> m_scoreCount;
  // Cleared when a level is chosen; the loading mode makes the level once.
  std::atomic<bool> m_loadingStarted{false};
  DWORD m_loadingStart = 0;
  bool m_trophyWon = false;
  boost::shared_ptr<VGComicsPack> m_comicsPack;
  boost::shared_ptr<VGComics> m_comics;
  boost::shared_ptr<VGIntro> m_intro;
  boost::shared_ptr<VGFinalCut> m_finalCut;
  boost::shared_ptr<KorvexEngine::UI::SUIApplication> m_gameMenu;
};

}  // namespace Vellgrove
