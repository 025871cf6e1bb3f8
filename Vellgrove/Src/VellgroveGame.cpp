#include "VellgroveGame.h"

#include "Fader.h"
#include "FontGlyphs.h"
#include "GameGlobals.h"
#include "SLoger.h"
#include "SViewport.h"
#include "TScopedLock.h"
#include "VGGameModes.h"
#include "VGGameSounds.h"
#include "VGSoundManager.h"
#include "VGGameObjectFactory.h"
#include "VGSpriteCreator.h"
#include "VGTextManager.h"
#include "smath_matrix.h"
#include "srethrow.h"

#include "Platform/D3DX9.h"

#include <cstring>

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VellgroveGame";
typedef KorvexEngine::TScopedLock<KorvexEngine::SLockGuard> RenderLock;

const float kModeFadeSeconds = 0.5f;
// The share of the loading bar that the texture list fills, and where it stands once the loader
// has built what it builds with the render lock held throughout.
const float kTexturesShare = 0.69999999f;
const float kProgressBeforeLevelPacks = 0.9f;
// The sounds move the bar from 0.8 by a step each, summed as the bar's own floats.
const float kProgressBeforeSounds = 0.8f;
const float kProgressPerSound = 1.0f / 180.0f;

void Log(const char* text) { SCore::g_Loger << SCore::GetTimeStamp() << text; }

}  // namespace

// Modes without an entry have no screen yet: their update runs nothing and their render draws
// nothing, so the player sees the fader over the clear colour. Preparing a level in mode 15 comes
// with the levels.
const VellgroveGame::ModeHandlers VellgroveGame::kModeHandlers[] = {
    {VGGM_QUIT, nullptr, nullptr},
    {VGGM_SPLASH, &VellgroveGame::UpdateSplashMode, &VellgroveGame::RenderSplashMode},
    {VGGM_LOADING, nullptr, &VellgroveGame::RenderLoadingMode},
};

const VellgroveGame::ModeHandlers* VellgroveGame::HandlersOf(int mode) {
  for (const ModeHandlers& handlers : kModeHandlers)
    if (handlers.mode == mode) return &handlers;
  return nullptr;
}

VellgroveGame::VellgroveGame(bool fullScreen) : m_fullScreen(fullScreen) {
  KORVEX_TRY
    m_clearColor[0] = 255;
    m_clearColor[1] = m_clearColor[2] = m_clearColor[3] = 0;
    CreateGameGlobals();
  KORVEX_RETHROW("VellgroveGame::VellgroveGame()", kSource)
}

VellgroveGame::~VellgroveGame() {
  StopInputThread();
  Log(" Input thread stopped\n");
}

void VellgroveGame::CreateGameGlobals() {
  LoadFontGlyphs();
  g_TextManager.Load(g_StringsPath);
}

void VellgroveGame::DoInitObjects() {
  KORVEX_TRY
    PresetTextures();
    Log(" Loading game objects\n");
    VGGameObjectFactory::LoadGameObjects(L"gameobjects\\quessaworldNEW.xml");
    Log(" Done\n");
    CreateRenderPass();
    Log(" Loading sounds\n");
    LoadSounds();
    // Held from here to the end, so that no loading-screen frame comes between these device calls.
    RenderLock hold(m_renderLock);
    SetLoadingProgress(kProgressBeforeLevelPacks);
    Log(" Done\n");
    m_musicPlayer.reset(new VGMp3Player);
    CreateGameMode();
    CreateSplash();
    StartMenuMusic();
    KorvexEngine::g_Application = this;
  KORVEX_RETHROW("VellgroveGame::DoInitObjects()", kSource)
}

void VellgroveGame::PresetTextures() {
  Log(" Presetting texture\n");
  {
    RenderLock hold(m_renderLock);
    for (const boost::shared_ptr<SCore::STexture>& texture : m_viewport->GetTextureManager()->GetTextures()) {
      if (texture->UseTransform) {
        texture->SetTextureTransformation(&texture->Transform, 0);
      } else {
        texture->ResetTextureTransformation(0);
      }
      texture->DoSet(0);
    }
  }
  Log(" Done\n");
}

void VellgroveGame::CreateRenderPass() {
  RenderLock hold(m_renderLock);
  m_renderPass = m_viewport->CreateRenderPass();
  m_renderPass->World = SCore::SMatrixIdentity();
  // The 3-D drawing that comes later sets its own view; until then the identity serves.
  m_renderPass->View = SCore::SMatrixIdentity();
  D3DXMATRIX projection;
  D3DXMatrixPerspectiveFovRH(&projection, 1.0466667f, 1.3333334f, 1.0f, 1000.0f);
  std::memcpy(&m_renderPass->Projection.f11, &projection._11, 16 * sizeof(float));
  m_screenWidth = m_viewport->GetRenderDevice()->GetWidth();
  m_screenHeight = m_viewport->GetRenderDevice()->GetHeight();
  m_renderPass->Apply();
  m_painter.reset(new Painter(m_viewport));
}

void VellgroveGame::LoadSounds() {
  KORVEX_TRY
    g_SoundManager.reset(new VGSoundManager(GetWindow()->m_window));
    float progress = kProgressBeforeSounds;
    for (std::size_t i = 0; i < g_GameSoundCount; ++i) {
      SetLoadingProgress(progress);
      g_SoundManager->AddSound(g_GameSounds[i].name, g_GameSounds[i].file, g_GameSounds[i].voices);
      progress += kProgressPerSound;
    }
    SetLoadingProgress(progress);
  KORVEX_RETHROW("VellgroveGame::CreateParticles()", kSource)
}

// Started through the player itself, which counts as running before its thread begins.
void VellgroveGame::StartMenuMusic() {
  m_musicPlayer->Start();
  m_musicPlayer->Play("sounds\\menu.mp3");
}

void VellgroveGame::CreateGameMode() {
  const boost::shared_ptr<Fader> fader(new Fader(m_viewport));
  m_gameMode.reset(new VGGameMode(fader, kModeFadeSeconds));
}

void VellgroveGame::CreateSplash() {
  m_splash.reset(new VGSplash);
  m_splash->Load();
}

void VellgroveGame::SetLoadingProgress(float progress) {
  // The loader thread moves the bar while the main thread draws it.
  RenderLock hold(m_renderLock);
  const boost::shared_ptr<KorvexEngine::SProgressBar>& bar = m_loading->GetProgressBar();
  bar->Progress = progress;
  bar->Update();
}

void VellgroveGame::DoCreateLoading() {
  KORVEX_TRY
    VGSpriteCreator::SetViewport(m_viewport);
    m_loading.reset(new VGLoading);
  KORVEX_RETHROW("VellgroveGame::DoCreateLoading()", kSource)
}

void VellgroveGame::DoRenderLoading() {
  KORVEX_TRY
    m_loading->Render();
  KORVEX_RETHROW("VellgroveGame::DoRenderLoading()", kSource)
}

void VellgroveGame::DoLoadingProgress(UINT loaded, UINT count) {
  KORVEX_TRY
    // The engine reports the index of the texture it has just loaded.
    const UINT done = loaded + 1;
    SetLoadingProgress(float(done) * kTexturesShare / float(count));
  KORVEX_RETHROW("VellgroveGame::DoLoadingProgress()", kSource)
}

void VellgroveGame::DoUpdate() {
  KORVEX_TRY
    m_gameMode->Update();
    const int state = m_gameMode->GetFader()->GetState();
    // A mode's handlers run only while it can be seen; a change it asked for waits for black.
    if (state == Fader::CLEAR || state == Fader::FADING_FROM_BLACK) {
      const bool changed = m_gameMode->IsChanged();
      m_gameMode->ClearChanged();
      const ModeHandlers* handlers = HandlersOf(m_gameMode->GetCurrent());
      if (handlers != nullptr && handlers->update != nullptr) (this->*handlers->update)(changed);
    }
  KORVEX_RETHROW("VellgroveGame::DoUpdate()", kSource)
}

void VellgroveGame::DoRenderScene() {
  KORVEX_TRY
    RenderLock hold(m_renderLock);
    const ModeHandlers* handlers = HandlersOf(m_gameMode->GetCurrent());
    if (handlers != nullptr && handlers->render != nullptr) (this->*handlers->render)();
    m_gameMode->GetFader()->Render();
  KORVEX_RETHROW("VellgroveGame::DoRenderScene()", kSource)
}

bool VellgroveGame::IsQuitRequested() { return m_gameMode && m_gameMode->GetCurrent() == VGGM_QUIT; }

void VellgroveGame::UpdateSplashMode(bool /*changed*/) {
  if (m_splash->IsDone()) m_gameMode->ChangeMode(VGGM_MENU);
}

void VellgroveGame::RenderSplashMode() { m_splash->Render(); }

void VellgroveGame::RenderLoadingMode() { m_loading->Render(); }

void VellgroveGame::OnLeftButtonDown() { m_leftButtonHeld = true; }

void VellgroveGame::OnLeftButtonUp() { m_leftButtonHeld = false; }

void VellgroveGame::OnSetFocus() {
  m_focusPause = false;
  if (m_musicPlayer && m_musicPlayer->m_isPaused) {
    m_musicPlayer->m_volume = m_musicPlayer->m_savedVolume.load();
    m_musicPlayer->m_isPaused = false;
    m_musicPlayer->Resume();
  }
}

void VellgroveGame::OnKillFocus() {
  if (m_gameMode) {
    const int state = m_gameMode->GetFader()->GetState();
    const bool visible = state == Fader::CLEAR || state == Fader::FADING_FROM_BLACK;
    if (visible && m_gameMode->GetCurrent() == VGGM_LEVEL && !m_startPause) {
      m_paused = true;
      m_focusPause = true;
    }
  }
  if (m_musicPlayer) {
    m_musicPlayer->m_savedVolume = m_musicPlayer->m_volume.load();
    m_musicPlayer->FadeOut();
    m_musicPlayer->m_isPaused = true;
  }
}

void VellgroveGame::OnDeviceLost() { OnKillFocus(); }

void VellgroveGame::OnDeviceReset() { OnSetFocus(); }

}  // namespace Vellgrove
