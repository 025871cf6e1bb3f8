// The chain of modes around a level: the loading screen that makes it, its completion with the
// comics and the score count, its failure and replay, game over, and the developer's reload.
#include "VellgroveGame.h"

#include "DrawAsIs.h"
#include "LevelSequenceRules.h"
#include "SLoger.h"
#include "SRenderDevice.h"
#include "SUIForm.h"
#include "SViewport.h"
#include "SWindow.h"
#include "TScopedLock.h"
#include "VGGameModes.h"
#include "VGLevelPack.h"
#include "VGPythonObject.h"
#include "VGScriptText.h"
#include "VGTool.h"
#include "VGUserProfileManager.h"
#include "srethrow.h"

#include "Platform/MMSystem.h"
#include "Platform/Win32Keyboard.h"
#include "Platform/Win32Messages.h"
#include "Platform/Win32Window.h"

#include <list>

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VellgroveGame";
typedef KorvexEngine::TScopedLock<VGLockGuard> Hold;
typedef std::list<boost::shared_ptr<VGPythonObject>> Actors;

const UINT kReloadKey = VK_F1 + 4;
const UINT kKeyRepeatBit = 1u << 30;

// The bar's value when a level starts loading: just above empty, so that it shows.
const float kLoadingFirstValue = 9.99999975e-05f;

// A player without lives starts the pack again from its first level.
void RewindPackWithoutLives(VGLevelPack& pack) {
  if (!g_UserProfileManager->HasProfiles()) return;
  const boost::shared_ptr<VGUserProfile> current = CurrentProfile();
  if (current && current->m_lifes == 0) pack.Reset();
}

}  // namespace

void VellgroveGame::CreateLevelNextLevel() {
  KORVEX_TRY
    RewindPackWithoutLives(*g_LevelPack);
    {
      // Also made on the loader thread during start-up, while the main thread draws.
      KorvexEngine::TScopedLock<KorvexEngine::SLockGuard> hold(m_renderLock);
      m_level = g_LevelPack->GetLevel();
    }
    PrepareFrameForLevel();
  KORVEX_RETHROW("VellgroveGame::CreateLevelNextLevel()", kSource)
}

void VellgroveGame::CreateLevel1() {
  KORVEX_TRY
    RewindPackWithoutLives(*g_BonusLevelPack);
    m_level = g_BonusLevelPack->GetLevel();
    PrepareFrameForLevel();
  KORVEX_RETHROW("VellgroveGame::CreateLevel1()", kSource)
}

void VellgroveGame::PrepareFrameForLevel() {
  m_frame->m_levelNameText->SetText(m_level->ShowName);
  CreateFrameObject();
  m_frame->m_tools.clear();
  for (const boost::shared_ptr<VGTool>& tool : m_level->GetTools()) {
    m_frame->AddTool(ToolTypeToString(tool->GetToolType()));
  }
  Actors actors;
  m_level->GetActors(actors);
  m_frame->m_actorCount = static_cast<int>(actors.size());
}

// The level is made on the first update, on the main thread; the screen stays for its 1500 ms
// however quickly that went. A replay asked for while this screen shows (the developer's reload)
// fades back to it without a switch, so the level is also made whenever none has been started.
void VellgroveGame::UpdateLoadingMode(bool changed) {
  const boost::shared_ptr<KorvexEngine::SProgressBar>& bar = m_loading->GetProgressBar();
  if (changed || !m_loadingStarted) {
    if (m_map->m_isBonus) {
      CreateLevel1();
    } else {
      CreateLevelNextLevel();
    }
    m_loadingStarted = true;
    m_loadingStart = timeGetTime();
    bar->Progress = kLoadingFirstValue;
    bar->Update();
  }
  const DWORD elapsed = timeGetTime() - m_loadingStart;
  if (m_loadingStarted && LoadingIsOver(elapsed)) {
    const bool bonus = m_map->m_isBonus;
    if (bonus ? m_map->m_playsCurrentBonusLevel : m_map->m_playsCurrentLevel) {
      if (bonus) {
        g_UserProfileManager->SetBonusLevel(m_level->Name, m_level->ShowName);
      } else {
        g_UserProfileManager->SetLevel(m_level->Name, m_level->ShowName);
      }
    }
    m_gameMode->ChangeMode(VGGM_LEVEL);
    m_musicPlayer->Play(LevelMusic(bonus, m_level->Name));
  }
  bar->Progress = LoadingBarValue(elapsed);
  bar->Update();
}

void VellgroveGame::CompleteLevel() {
  if (m_map->m_isBonus) {
    const unsigned int position = g_BonusLevelPack->GetLevelIndex(m_level->Name);
    Hold hold(g_UserProfileManager->GetLock());
    const boost::shared_ptr<VGUserProfile> current = g_UserProfileManager->GetCurrent();
    if (current) current->AddDoneBonusLevel(position);
  }
  ReadCharacterStates();
  m_comics = m_comicsPack->GetComics(m_level->Name);
  m_musicPlayer->FadeOut();
  if (m_comics) {
    m_gameMode->ChangeMode(VGGM_COMICS);
    m_musicPlayer->Play("sounds\\bonus.mp3");
  } else {
    m_gameMode->ChangeMode(VGGM_SCORE);
  }
}

// The developer's chord counts the level as completed, its characters stopped where they stand.
void VellgroveGame::CompleteLevelByChord() {
  LogLevelEvent("won by the developer's chord");
  ReadCharacterStates();
  m_comics = m_comicsPack->GetComics(m_level->Name);
  if (m_comics) {
    m_gameMode->ChangeMode(VGGM_COMICS);
    m_musicPlayer->Play("sounds\\intro.mp3");
    return;
  }
  Actors actors;
  m_level->GetActors(actors);
  VGScriptText isEnable("is_enable");
  for (const auto& actor : actors) actor->SetPropertyValueBoolean(isEnable.Get(), false);
  m_gameMode->ChangeMode(VGGM_SCORE);
}

// Each character's time left and whether it lives, from the level's actors, for the score screen.
void VellgroveGame::ReadCharacterStates() {
  unsigned int lifeTime[kCharacterCount] = {0, 0, 0};
  bool alive[kCharacterCount] = {true, true, true};
  Actors actors;
  m_level->GetActors(actors);
  VGScriptText name("name"), life("life_time"), isLife("islife");
  for (const auto& actor : actors) {
    const int c = CharacterOf(actor->GetPropertyValue(name.Get()).GetResultAsString());
    if (c < 0) continue;
    lifeTime[c] = WholeUnits(float(actor->GetPropertyValue(life.Get()).GetResultAsDouble()));
    alive[c] = actor->GetPropertyValue(isLife.Get()).GetResultAsBool();
  }
  const unsigned int playTime = WholeUnits(m_level->PlayTime);
  bool allInTime = true;
  Hold hold(m_scoreCount->m_lock);
  for (int c = 0; c < kCharacterCount; ++c) {
    m_scoreCount->m_counterAmounts[c] = lifeTime[c] > playTime ? 0.0f : float(playTime - lifeTime[c]);
    m_scoreCount->m_isCounterActive[c] = alive[c];
    allInTime = allInTime && playTime > lifeTime[c];
  }
  m_scoreCount->m_counterMax = playTime;
  m_scoreCount->m_lives = m_frame->m_lives;
  m_scoreCount->m_levelIndex = static_cast<int>(g_LevelPack->GetLevelIndex(m_level->Name));
  m_scoreCount->m_isBonusLevel = m_map->m_isBonus;
  m_scoreCount->Start();
  m_scoreCount->m_isAllInTime = allInTime;
}

void VellgroveGame::UpdateComicsMode(bool /*changed*/) {
  m_comics->Update();
  if (m_comics->IsFinished() && m_gameMode->GetPending() != VGGM_SCORE) {
    m_gameMode->ChangeMode(VGGM_SCORE);
    m_musicPlayer->FadeOut();
  }
}

void VellgroveGame::RenderComicsMode() {
  if (m_comics) m_comics->Render();
}

void VellgroveGame::UpdateScoreMode(bool changed) {
  m_trophyWon = false;
  // Bonus levels are not counted.
  if (changed && m_map->m_isBonus) m_scoreCount->Finish();
  m_scoreCount->Update();
  if (m_gameMode->GetPending() != VGGM_SCORE) return;
  if (m_leftButtonHeld) m_scoreCount->Finish();
  if (!m_scoreCount->m_isDone) return;
  m_frame->m_lives = m_scoreCount->m_lives;
  StoreCurrentLives(m_frame->m_lives);
  AwardLevelTrophy();
  m_musicPlayer->StopImmediately();
  ChooseScreenAfterScore();
}

void VellgroveGame::RenderScoreMode() { m_scoreCount->Render(); }

// A main level won with every character inside the play time earns its trophy; a bonus level has
// none of its own and never takes a main level's.
void VellgroveGame::AwardLevelTrophy() {
  if (m_map->m_isBonus || !m_scoreCount->m_isAllInTime) return;
  const unsigned int index = g_LevelPack->GetLevelIndex(m_level->Name);
  Hold hold(g_UserProfileManager->GetLock());
  const boost::shared_ptr<VGUserProfile> current = g_UserProfileManager->GetCurrent();
  if (!current || index >= VGUserProfile::kTrophyCount) return;
  if (current->m_trophies[index] == 0) {
    m_tropheis->m_newTrophies.push_back(index);
    m_trophyWon = true;
  }
  const bool firstSet = current->m_firstSetDone, secondSet = current->m_secondSetDone;
  current->AwardTrophy(index);
  if (current->m_firstSetDone != firstSet) m_tropheis->m_announceSet1 = true;
  if (current->m_secondSetDone != secondSet) m_tropheis->m_announceSet2 = true;
}

// The newest main level won opens the next; the last one ends the game with its cut-scene.
void VellgroveGame::ChooseScreenAfterScore() {
  const bool bonus = m_map->m_isBonus;
  const bool newest = bonus ? m_map->m_playsCurrentBonusLevel : m_map->m_playsCurrentLevel;
  bool unlocked = false;
  // The bonus side keeps its own progress: its newest level never moves the main pack.
  if (newest && !bonus && g_LevelPack->GetCurrentLevelName() != VGLevelPack::kDone && g_LevelPack->Next()) {
    GoToTrophiesOrMap();
    g_UserProfileManager->SetLevel(g_LevelPack->GetCurrentLevelName(), g_LevelPack->GetCurrentLevelShowName());
    unlocked = true;
  }
  if (!unlocked && (m_trophyWon || !m_map->m_lastLevelChosen)) GoToTrophiesOrMap();
  if (m_map->m_lastLevelChosen && !m_trophyWon) StartFinalCut();
}

void VellgroveGame::GoToTrophiesOrMap() {
  if (m_trophyWon) {
    m_musicPlayer->Play("sounds\\trophies.mp3");
    m_gameMode->ChangeMode(VGGM_TROPHIES);
  } else {
    m_musicPlayer->Play("sounds\\menu.mp3");
    m_gameMode->ChangeMode(VGGM_MAP);
  }
}

void VellgroveGame::StartFinalCut() {
  g_UserProfileManager->SetLevel(VGLevelPack::kDone, VGLevelPack::kDone);
  m_gameMode->ChangeMode(VGGM_FINALCUT);
  m_finalCut->Start();
  m_menu->Activate();
  m_musicPlayer->Play("sounds\\final.mp3");
}

void VellgroveGame::GameOver() {
  LogLevelEvent("game over");
  m_gameMode->ChangeMode(VGGM_GAMEOVER);
  g_LevelPack->Reset();
  m_menu->Activate();
}

void VellgroveGame::UpdateGameOverMode(bool /*changed*/) {
  if (m_gameMode->GetPending() != VGGM_GAMEOVER || !m_leftButtonHeld) return;
  m_gameMode->ChangeMode(VGGM_MAP);
  StoreCurrentLives(1);
}

// The level as it stood when the last life went, under the sign, inside its frame.
void VellgroveGame::RenderGameOverMode() {
  UseLevelView();
  m_level->Render();
  m_level->Render();
  if (m_sprites.GameOver && m_sprites.GameOver->Visible) DrawAsIs(*m_sprites.GameOver);
  UseScreenView();
  m_frame->Render();
}

// Also the in-game menu's button, on the input thread: it writes flags only, and the loading
// mode's first update empties the bar on the main thread.
void VellgroveGame::OnGameMenuReplay() {
  m_gameMenu->HideAllForms();
  m_loadingStarted = false;
  m_gameMode->ChangeMode(VGGM_LOADING);
  m_paused = false;
  m_gameMenu->m_hidden = true;
  m_gameMenu->m_enabled = false;
  StopMagicSound();
}

void VellgroveGame::OnMessage(UINT message, UINT wParam, UINT lParam) {
  // F5 sends the reload the way another program would: as the window's user message.
  const bool firstPress = (lParam & kKeyRepeatBit) == 0;
  if (message == WM_KEYDOWN && wParam == kReloadKey && firstPress) {
    Platform::PostUserMessage(m_window->m_window, 0, 0);
    return;
  }
  if (message != WM_USER || !m_gameMode) return;
  SCore::g_Loger << SCore::GetTimeStamp() << " Reloading the level packs\n";
  LoadLevelPacks();
  OnGameMenuReplay();
}

}  // namespace Vellgrove
