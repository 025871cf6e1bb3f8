#include "VellgroveGame.h"

#include "DrawAsIs.h"
#include "Fader.h"
#include "FontGlyphs.h"
#include "GameFont.h"
#include "GameGlobals.h"
#include "SLoger.h"
#include "SUIEvent.h"
#include "SViewport.h"
#include "SXMLDeserializator.h"
#include "TexelCentre.h"
#include "TScopedLock.h"
#include "VGGameModes.h"
#include "VGFrameWalls.h"
#include "VGGameSounds.h"
#include "VGLevelPack.h"
#include "VGPythonObject.h"
#include "VGTool.h"
#include "VGSoundManager.h"
#include "VGGameObjectFactory.h"
#include "VGSpriteCreator.h"
#include "VGTextManager.h"
#include "SUICheckBox.h"
#include "VGUserProfileManager.h"
#include "smath_matrix.h"
#include "srethrow.h"

#include "Platform/D3DX9.h"
#include "Platform/Win32Input.h"
#include "Platform/Win32Window.h"

#include <cstring>
#include <list>
#include <utility>

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

// A mode without an entry runs nothing and draws nothing: the player would see the fader over the
// clear colour.
const VellgroveGame::ModeHandlers VellgroveGame::kModeHandlers[] = {
    {VGGM_LEVEL, &VellgroveGame::UpdateLevelMode, &VellgroveGame::RenderLevelMode},
    {VGGM_MENU, &VellgroveGame::UpdateMenuMode, &VellgroveGame::RenderMenuMode},
    {VGGM_QUIT, nullptr, nullptr},
    {VGGM_COMICS, &VellgroveGame::UpdateComicsMode, &VellgroveGame::RenderComicsMode},
    {VGGM_SCORE, &VellgroveGame::UpdateScoreMode, &VellgroveGame::RenderScoreMode},
    {VGGM_GAMEOVER, &VellgroveGame::UpdateGameOverMode, &VellgroveGame::RenderGameOverMode},
    {VGGM_SPLASH, &VellgroveGame::UpdateSplashMode, &VellgroveGame::RenderSplashMode},
    {VGGM_INTRO, &VellgroveGame::UpdateIntroMode, &VellgroveGame::RenderIntroMode},
    {VGGM_FINALCUT, &VellgroveGame::UpdateFinalCutMode, &VellgroveGame::RenderFinalCutMode},
    {VGGM_MAP, &VellgroveGame::UpdateMapMode, &VellgroveGame::RenderMapMode},
    {VGGM_TROPHIES, &VellgroveGame::UpdateTrophiesMode, &VellgroveGame::RenderTrophiesMode},
    {VGGM_LOADING, &VellgroveGame::UpdateLoadingMode, &VellgroveGame::RenderLoadingMode},
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
  g_UserProfileManager.reset(new VGUserProfileManager);
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
    Log(" Loading level pack\n");
    LoadLevelPacks();
    SetLoadingProgress(1.0f);
    Log(" Done\n");
    Log(" Loading level comics\n");
    LoadComicsPack();
    Log(" Done\n");
    CreateFrame();
    CreateParticles();
    Log(" Init Sprites\n");
    InitSprites();
    CreateGameMenu();
    Log(" Done\n");
    m_musicPlayer.reset(new VGMp3Player);
    CreateMenu();
    CreateScoreCount();
    // Where the current player stands in both packs; without players, at their first levels.
    Log(" Creating first level\n");
    g_LevelPack->SetCurrentLevel(g_UserProfileManager->GetLevel());
    CreateLevelNextLevel();
    g_BonusLevelPack->SetCurrentLevel(g_UserProfileManager->GetBonusLevel());
    Log(" Done\n");
    CreateGameMode();
    CreateLevelButtons();
    CreateIntro();
    CreateFinalCut();
    CreateMap();
    CreateTropheis();
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

void VellgroveGame::LoadLevelPacks() {
  for (const auto& pack : {std::make_pair(&g_LevelPack, L"Levels\\levelpack.xml"),
                           std::make_pair(&g_BonusLevelPack, L"Levels\\bonuslevelpack.xml")}) {
    SCore::SXMLDeserializator reader{std::wstring(pack.second)};
    (*pack.first)->DoDeserialize(reader);
  }
}

void VellgroveGame::LoadComicsPack() {
  m_comicsPack.reset(new VGComicsPack(m_inputMessager));
  SCore::SXMLDeserializator reader(L"Levels\\comics.xml");
  m_comicsPack->DoDeserialize(reader);
}

void VellgroveGame::CreateIntro() { m_intro.reset(new VGIntro(m_inputMessager)); }

void VellgroveGame::CreateFinalCut() { m_finalCut.reset(new VGFinalCut); }

void VellgroveGame::CreateFrame() {
  static const GameFontStyle kStyles[] = {
      {0.026f, 0.022f, 0.025f, 0.048f, {255, 255, 157, 1}, 1.12f},
      {0.028f, 0.126f, 0.025f, 0.032f, {255, 255, 102, 0}, 1.12f},
      {0.028f, 0.205f, 0.025f, 0.032f, {255, 234, 233, 185}, 1.12f},
      {0.76123047f, 0.96419269f, 0.025390625f, 0.029947916f, {255, 176, 181, 121}, 1.12f},
  };
  m_frame.reset(new VGFrame);
  m_frame->m_timeText = CreateGameFont(m_viewport, kStyles[0], "00:00");
  m_frame->m_levelNameText = CreateGameFont(m_viewport, kStyles[1], "1-1");
  m_frame->m_livesText = CreateGameFont(m_viewport, kStyles[2], "x10");
  m_frame->m_scoreText = CreateGameFont(m_viewport, kStyles[3], "100000");
}

void VellgroveGame::CreateParticles() {
  KORVEX_TRY
    m_particles.reset(new VGParticles(CreateParticleSprite()));
  KORVEX_RETHROW("VellgroveGame::CreateParticles()", kSource)
}

void VellgroveGame::InitSprites() {
  KORVEX_TRY
    m_sprites = CreateGameSprites();
    m_frame->m_lifeIcon = m_sprites.LifeIcon;
  KORVEX_RETHROW("VellgroveGame::InitSprites()", kSource)
}

void VellgroveGame::CreateLevelButtons() {
  const auto face = [](const char* texture, float top, float right, float bottom) {
    const boost::shared_ptr<KorvexEngine::SSprite> sprite = VGSpriteCreator::CreateTexturedSprite(texture, 1);
    sprite->TexCoords = {0.0f, top, right, bottom};
    return sprite;
  };
  const auto button = [this](float y, float height, const boost::shared_ptr<KorvexEngine::SSprite>& normal,
                             const boost::shared_ptr<KorvexEngine::SSprite>& over,
                             void (VellgroveGame::*onClick)()) {
    const boost::shared_ptr<KorvexEngine::UI::SUIButton> made(new KorvexEngine::UI::SUIButton);
    made->m_viewport = m_viewport;
    made->m_x = TexelCentre(0.0f, 1024);
    made->m_y = TexelCentre(y, 768);
    made->m_width = 0.1015625f;
    made->m_height = height;
    made->m_normalSprite = made->m_downSprite = normal;
    made->m_overSprite = over;
    AttachEvent(made, onClick);
    m_inputMessager->AddListener(made);
    return made;
  };
  m_menuButton = button(0.263f, 0.04296875f, face("MENUPAS", 0.0f, 0.813f, 0.512f),
                        face("MENUACT", 0.0f, 0.813f, 0.512f), &VellgroveGame::RequestGameMenu);
  m_pauseButton = button(0.33f, 0.046875f, face("PAUSEACTPAS", 0.0f, 0.8203125f, 0.2890625f),
                         face("PAUSEACTPAS", 0.2890625f, 0.8203125f, 0.578125f), &VellgroveGame::OnPauseButton);
}

void VellgroveGame::CreateFrameObject() {
  KORVEX_TRY
    AddFrameWalls(*m_level);
  KORVEX_RETHROW("VellgroveGame::CreateFrameObject()", kSource)
}

// Started through the player itself, which counts as running before its thread begins.
void VellgroveGame::CreateMenu() {
  static const GameFontStyle kHeading = {0.026f, 0.138f, 0.015f, 0.032f, {255, 240, 181, 56}, 1.0f};
  const boost::shared_ptr<KorvexEngine::STextureFont> heading = CreateGameFont(m_viewport, kHeading, "PLAYER");
  m_menu.reset(new VGMenu(m_viewport, m_inputMessager, m_musicPlayer));
  m_menu->m_tableFont = heading;
  m_menu->m_fullScreenBox->m_checked = m_fullScreen;
  // The box's first click must read as a change from the screen as it is.
  m_menu->Activate();
}

// Started once with nothing to count; the level's own count starts it again.
void VellgroveGame::CreateScoreCount() {
  m_scoreCount.reset(new VGScoreCount(m_inputMessager));
  for (float& amount : m_scoreCount->m_counterAmounts) amount = 0.0f;
  m_scoreCount->m_counterMax = 0;
  m_scoreCount->Start();
  m_scoreCount->m_background = VGSpriteCreator::CreateTexturedSprite("SCOREBKG", 0);
  m_scoreCount->m_background->SetPosition(0.0f, 0.0f);
  m_scoreCount->m_background->SetSize(1.0f, 1.0f);
}

void VellgroveGame::CreateMap() {
  m_map.reset(new VGMap(m_inputMessager));
  m_map->Refresh();
}

void VellgroveGame::CreateTropheis() { m_tropheis.reset(new VGTropheis(m_inputMessager)); }

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
    UpdateCursor();
  KORVEX_RETHROW("VellgroveGame::DoUpdate()", kSource)
}

void VellgroveGame::DoRenderScene() {
  KORVEX_TRY
    RenderLock hold(m_renderLock);
    const ModeHandlers* handlers = HandlersOf(m_gameMode->GetCurrent());
    if (handlers != nullptr && handlers->render != nullptr) (this->*handlers->render)();
    m_gameMode->GetFader()->Render();
    if (m_sprites.Cursor) DrawAsIs(*m_sprites.Cursor);
  KORVEX_RETHROW("VellgroveGame::DoRenderScene()", kSource)
}

void VellgroveGame::UpdateCursor() {
  if (!m_sprites.Cursor) return;
  POINT cursor{};
  WINDOWINFO info{};
  GetCursorPos(&cursor);
  GetWindowInfo(GetWindow()->m_window, &info);
  const float width = float(info.rcClient.right - info.rcClient.left);
  const float height = float(info.rcClient.bottom - info.rcClient.top);
  // A minimised window has no client area to place the pointer in.
  if (width <= 0.0f || height <= 0.0f) return;
  float x = float(cursor.x - info.rcClient.left) / width;
  float y = float(cursor.y - info.rcClient.top) / height;
  if (!m_fullScreen) {
    x += 0.01f;
    y += 0.01f;
  }
  m_sprites.Cursor->SetPosition(x, y);
}

bool VellgroveGame::IsQuitRequested() { return m_gameMode && m_gameMode->GetCurrent() == VGGM_QUIT; }

void VellgroveGame::UpdateSplashMode(bool /*changed*/) {
  if (!m_splash->IsDone()) return;
  m_gameMode->ChangeMode(VGGM_MENU);
  m_menu->Activate();
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
