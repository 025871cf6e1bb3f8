// Modes 13 and 14: the world map, where the player's choice there leads, and the trophies.
#include "VellgroveGame.h"

#include "SLoger.h"
#include "SUIForm.h"
#include "VGGameModes.h"
#include "VGLevelPack.h"

namespace Vellgrove {

void VellgroveGame::UpdateMapMode(bool changed) {
  if (changed) {
    // The in-game menu's way back to the map leaves its form shown until here.
    m_gameMenu->HideAllForms();
    m_map->Refresh();
  }
  if (!m_map->IsDone()) return;
  switch (m_map->m_result) {
    case VGMap::kPlay:
      (m_map->m_isBonus ? g_BonusLevelPack : g_LevelPack)->SetCurrentLevel(m_map->GetSelectedLevel());
      m_loadingStarted = false;
      m_gameMode->ChangeMode(VGGM_LOADING);
      SetLoadingProgress(0.0f);
      m_musicPlayer->FadeOut();
      break;
    case VGMap::kMenu:
      m_gameMode->ChangeMode(VGGM_MENU);
      m_menu->Activate();
      break;
    case VGMap::kTrophies:
      m_gameMode->ChangeMode(VGGM_TROPHIES);
      m_musicPlayer->FadeOut();
      break;
    default:
      break;
  }
}

void VellgroveGame::RenderMapMode() {
  const boost::shared_ptr<KorvexEngine::UI::SUIForm>& face = m_map->GetForm();
  if (!face->m_hidden) face->DoRender(0.0f, 0.0f);
}

// Every frame of the trophies screen leaves its two lines in the log, its update and its render.
void VellgroveGame::UpdateTrophiesMode(bool changed) {
  SCore::g_Loger << SCore::GetTimeStamp() << " update TROPHEIS\n";
  if (changed) {
    m_tropheis->Refresh();
    m_musicPlayer->Play("sounds\\trophies.mp3");
  }
  m_tropheis->Update();
  if (!m_tropheis->IsDone()) return;
  // The last level's new trophy was shown first; now its ending, whose music takes over from the
  // trophies' only once that has faded.
  if (m_map->m_lastLevelChosen && m_gameMode->GetPrevious() == VGGM_SCORE) {
    m_musicPlayer->FadeOut();
    StartFinalCut();
    return;
  }
  m_gameMode->ChangeMode(VGGM_MAP);
  m_musicPlayer->FadeOut();
  m_musicPlayer->Play("sounds\\menu.mp3");
}

void VellgroveGame::RenderTrophiesMode() {
  SCore::g_Loger << SCore::GetTimeStamp() << " render TROPHEIS\n";
  m_tropheis->Render();
}

}  // namespace Vellgrove
