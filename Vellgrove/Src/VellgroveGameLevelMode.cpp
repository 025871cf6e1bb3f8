// Mode 0 of the game: the running level, its pauses, scrolling, the spell stroke and its
// recognition, the level's end and the lives; and its drawing inside the frame.
#include "VellgroveGame.h"

#include "DrawAsIs.h"
#include "LevelModeRules.h"
#include "SLoger.h"
#include "SRenderDevice.h"
#include "SViewport.h"
#include "TScopedLock.h"
#include "VGGameModes.h"
#include "VGLevelTrainer.h"
#include "VGPythonObject.h"
#include "VGScriptText.h"
#include "VGSoundManager.h"
#include "VGUserProfileManager.h"
#include "VGWorld.h"

#include "Platform/DInput8.h"

#include <algorithm>
#include <list>
#include <string>
#include <vector>

namespace Vellgrove {

namespace {

const int kLivesWithoutProfile = 5;
const int kSpellScore = 100;

// The keys that push the level view, and what each push does.
struct ScrollKey {
  BYTE key;
  void (VGLevel::*push)();
};

const ScrollKey kScrollKeys[] = {{DIK_LEFT, &VGLevel::ScrollXPlus},
                                 {DIK_RIGHT, &VGLevel::ScrollXMinus},
                                 {DIK_UP, &VGLevel::ScrollYPlus},
                                 {DIK_DOWN, &VGLevel::ScrollYMinus}};

void Play(const char* sound) {
  if (g_SoundManager) g_SoundManager->PlaySound(sound);
}

// The current player's lives and score, or those of a game without players.
int ProfileLives() {
  const boost::shared_ptr<VGUserProfile> current = CurrentProfile();
  return current ? static_cast<int>(current->m_lifes) : kLivesWithoutProfile;
}

unsigned int ProfileScore() {
  const boost::shared_ptr<VGUserProfile> current = CurrentProfile();
  return current ? current->m_score : 0u;
}

}  // namespace

void VellgroveGame::RequestGameMenu() { m_gameMenuRequested.Set(true); }

void VellgroveGame::OnPauseButton() {
  if (!m_focusPause && !m_startPause) m_paused = !m_paused;
}

void VellgroveGame::EndStartPause() {
  const bool menuRequested = m_gameMenuRequested.Get();
  m_startPause = false;
  if (!menuRequested) m_paused = false;
}

void VellgroveGame::StopMagicSound() {
  if (g_SoundManager) g_SoundManager->StopSound("Magic");
}

void VellgroveGame::LogLevelEvent(const char* what) {
  SCore::g_Loger << SCore::GetTimeStamp() << " Level " << m_level->Name << ": " << what << "\n";
}

void VellgroveGame::UpdateLevelMode(bool changed) {
  {
    KorvexEngine::TScopedLock<VGLockGuard> hold(m_gameLock);
    EnterLevelVisit(changed);
    TakeGameMenuRequest();
  }
  m_frame->m_lives = ProfileLives();
  if (m_gameMode->GetPending() == VGGM_LEVEL) {
    m_menu->Activate();
    ScrollLevel();
    HandleLevelKeys();
    CheckLevelEnd();
    if (m_leftButtonHeld) {
      DrawStroke();
    } else {
      ReleaseStroke();
    }
  }
  m_level->Update(m_paused);
  CountLives();
}

void VellgroveGame::EnterLevelVisit(bool changed) {
  if (!changed) return;
  if (!m_paused) m_startPause = true;
  m_paused = true;
  m_gameMenu->m_hidden = false;
  m_gameMenu->m_enabled = true;
  // A stroke begun before the level was entered never reaches it.
  m_painter->Clear();
  StopMagicSound();
}

void VellgroveGame::TakeGameMenuRequest() {
  if (m_gameMenuRequested.Get() && m_gameMode->GetPending() == VGGM_LEVEL && !m_paused) {
    SCore::g_Loger << SCore::GetTimeStamp() << " In-game menu requested\n";
    m_gameMenu->ShowForm("GameMenuForm");
    StopMagicSound();
    m_painter->Clear();
    m_paused = true;
  }
  m_gameMenuRequested.Set(false);
}

void VellgroveGame::ScrollLevel() {
  const boost::shared_ptr<SCore::SRenderDevice>& device = m_viewport->GetRenderDevice();
  const SCore::SMouse& mouse = *m_viewport->GetInput()->GetMouse();
  const float fx = float(unsigned(mouse.m_position[0])) / float(device->GetWidth());
  const float fy = float(unsigned(mouse.m_position[1])) / float(device->GetHeight());
  SCore::SKeyboard& keyboard = *m_viewport->GetInput()->GetKeyboard();
  const std::vector<VGMapMoveType> pointed = PointerScrollDirections(fx, fy);
  for (int direction = VGMMT_LEFT; direction <= VGMMT_DOWN; ++direction) {
    const bool byPointer = std::find(pointed.begin(), pointed.end(), direction) != pointed.end();
    if (!keyboard.IsKeyPressed(kScrollKeys[direction].key) && !byPointer) continue;
    (m_level.get()->*kScrollKeys[direction].push)();
    if (m_level->m_trainer) m_level->m_trainer->OnMapMove(static_cast<VGMapMoveType>(direction));
  }
}

void VellgroveGame::HandleLevelKeys() {
  SCore::SKeyboard& keyboard = *m_viewport->GetInput()->GetKeyboard();
  // The developer's chord wins the level at once.
  if (keyboard.IsKeyPressed(DIK_LCONTROL) && keyboard.IsKeyPressed(DIK_W) && keyboard.IsKeyPressed(DIK_N)) {
    CompleteLevelByChord();
  }
  if (keyboard.IsKeyPressed(DIK_SPACE)) {
    if (!m_focusPause) {
      if (m_startPause) {
        if (!m_spaceLatch) EndStartPause();
      } else if (!m_spaceLatch) {
        m_paused = !m_paused;
      }
      m_spaceLatch = true;
    }
  } else {
    m_spaceLatch = false;
  }
  // Escape opens the menu; it never closes it.
  if (keyboard.IsKeyPressed(DIK_ESCAPE) && !m_startPause && m_gameMenu->GetActiveFormName() != "GameMenuForm") {
    RequestGameMenu();
  }
}

void VellgroveGame::CheckLevelEnd() {
  if (m_level->IsFailed()) {
    LogLevelEvent("failed, played again");
    OnGameMenuReplay();
  } else if (m_level->IsDone()) {
    LogLevelEvent("done");
    CompleteLevel();
  }
}

void VellgroveGame::DrawStroke() {
  if (m_startPause) {
    EndStartPause();
    return;
  }
  if (m_paused) {
    // A click resumes the level, but not one on the pause button, nor one on the open in-game
    // menu: its buttons decide what follows.
    if (m_pauseButton->m_state == KorvexEngine::UI::SUIControl::kNormal && !IsGameMenuOpen()) m_paused = false;
    return;
  }
  if (g_SoundManager && !g_SoundManager->IsPlaying("Magic")) g_SoundManager->PlaySound("Magic");
  const SCore::SMouse& mouse = *m_viewport->GetInput()->GetMouse();
  const float mx = float(unsigned(mouse.m_position[0]));
  const float my = float(unsigned(mouse.m_position[1]));
  if (mx < float(m_screenWidth) && my < float(m_screenHeight)) {
    m_painter->Render(mx / float(m_screenWidth) - kStrokeOffset, my / float(m_screenHeight) - kStrokeOffset);
  }
}

void VellgroveGame::ReleaseStroke() {
  StopMagicSound();
  StrokeRect rect{};
  const PainterCanvas::Rows rows = m_painter->GetStrokeBitmap(rect);
  m_painter->Clear();
  const boost::shared_ptr<SCore::SRenderDevice>& device = m_viewport->GetRenderDevice();
  const ToolPlacement tool =
      PlaceStroke(rect, float(device->GetWidth()), float(device->GetHeight()), m_frame->m_levelViewport,
                  m_level->m_toolArea);
  const int index = m_recognizer.Recognize(rows);
  if (index != -1 &&
      m_level->ProcessTool(static_cast<VGToolType>(index), tool.X, tool.Y, tool.Width, tool.Height)) {
    if (index == VGTT_WINDRIGHT || index == VGTT_WINDLEFT) Play("Wind");
    if (g_UserProfileManager) g_UserProfileManager->SetScore(ProfileScore() + kSpellScore);
    if (m_level->m_trainer) m_level->m_trainer->OnSpell(static_cast<VGToolType>(index));
    return;
  }
  if (rect.width > 2 || rect.height > 2) {
    if (m_level->m_trainer) m_level->m_trainer->OnSpellFailed();
    Play("RecErr");
  }
}

void VellgroveGame::CountLives() {
  std::list<boost::shared_ptr<VGPythonObject>> actors;
  m_level->GetActors(actors);
  VGScriptText islife("islife");
  int alive = 0;
  for (const auto& actor : actors) alive += actor->GetPropertyValue(islife.Get()).GetResultAsBool() ? 1 : 0;
  if (m_frame->m_actorCount != alive) {
    m_frame->m_lives += alive - m_frame->m_actorCount;
    m_frame->m_actorCount = alive;
  }
  if (m_frame->m_lives < 0) m_frame->m_lives = 0;
  StoreCurrentLives(m_frame->m_lives);
  if (m_frame->m_lives <= 0) {
    if (m_gameMode->GetPending() != VGGM_GAMEOVER) GameOver();
  }
}

void VellgroveGame::RenderLevelMode() {
  RenderLevelView();
  if (m_startPause) DrawAsIs(*m_sprites.PressSpace);
  RenderLevelTexts();
  m_frame->Render();
  m_frame->m_showSun = m_level->Sun;
  for (const auto* button : {&m_menuButton, &m_pauseButton}) (*button)->Render(0.0f, 0.0f);
  m_gameMenu->Render(0.0f, 0.0f);
  if (!m_paused && !m_startPause && m_level->m_trainer) m_level->m_trainer->Render();
  StrokeRect rect{};
  const PainterCanvas::Rows rows = m_painter->GetStrokeBitmap(rect);
  m_particles->Render(rows, rect);
}

void VellgroveGame::UseLevelView() {
  const boost::shared_ptr<SCore::SRenderDevice>& device = m_viewport->GetRenderDevice();
  const VGFrame::Viewport& view = m_frame->m_levelViewport;
  device->ViewRect = {view.X, view.Y, view.Width, view.Height, 0.0f, 1.0f};
  device->DoSetView();
}

// The minimum and maximum depth stay the level view's.
void VellgroveGame::UseScreenView() {
  const boost::shared_ptr<SCore::SRenderDevice>& device = m_viewport->GetRenderDevice();
  device->ViewRect.X = device->ViewRect.Y = 0;
  device->ViewRect.Width = m_screenWidth;
  device->ViewRect.Height = m_screenHeight;
  device->DoSetView();
}

void VellgroveGame::RenderLevelView() {
  UseLevelView();
  m_level->Render();
  const VGBody camera = m_level->GetCameraBody();
  if (1.0f - camera.Position.X < m_level->SizeX) DrawAsIs(*m_sprites.ArrowRight);
  if (camera.Position.X < 0.0f) DrawAsIs(*m_sprites.ArrowLeft);
  if (1.0f - camera.Position.Y < m_level->SizeY) DrawAsIs(*m_sprites.ArrowBottom);
  if (camera.Position.Y < 0.0f) DrawAsIs(*m_sprites.ArrowTop);
  if (!m_startPause && m_paused) DrawAsIs(*m_sprites.Pause);
  UseScreenView();
}

void VellgroveGame::RenderLevelTexts() {
  m_frame->m_timeText->SetText(TimerText(m_level->m_remainingTime));
  m_frame->m_scoreText->SetText(ScoreText(ProfileScore()));
  m_frame->m_lives = ProfileLives();
}

}  // namespace Vellgrove
