// Modes 11 and 12: the intro a new player sees before the map, and the final cut-scene after the
// last level.
#include "VellgroveGame.h"

#include "SUIForm.h"
#include "VGGameModes.h"
#include "VGLevelPack.h"
#include "VGUserProfileManager.h"

#include "Platform/MMSystem.h"

namespace Vellgrove {

namespace {

// The ending can be left with a click only once it has been told.
const DWORD kFinalCutClickAfter = 66000;

}  // namespace

void VellgroveGame::UpdateIntroMode(bool /*changed*/) {
  if (m_intro->IsFinished()) {
    m_intro->GetSkipForm()->m_enabled = false;
    g_LevelPack->Reset();
    CreateLevelNextLevel();
    if (g_UserProfileManager->HasProfiles()) g_UserProfileManager->SetLevel(m_level->Name, m_level->ShowName);
    m_musicPlayer->FadeOut();
    m_gameMode->ChangeMode(VGGM_MAP);
    m_musicPlayer->Play("sounds\\menu.mp3");
  }
  m_intro->Update();
}

void VellgroveGame::RenderIntroMode() { m_intro->Render(); }

void VellgroveGame::UpdateFinalCutMode(bool /*changed*/) {
  if (m_leftButtonHeld && timeGetTime() - m_finalCut->GetStartTime() > kFinalCutClickAfter) m_finalCut->SetDone(true);
  if (!m_finalCut->IsDone()) return;
  m_gameMode->ChangeMode(VGGM_MENU);
  m_musicPlayer->FadeOut();
  m_musicPlayer->Play("sounds\\menu.mp3");
}

// The cut-scene moves on its own timeline as it is drawn.
void VellgroveGame::RenderFinalCutMode() { m_finalCut->Update(); }

}  // namespace Vellgrove
