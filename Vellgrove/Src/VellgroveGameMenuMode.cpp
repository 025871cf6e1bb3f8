// Mode 1: the main menu, and what the game does with the player's choice there.
#include "VellgroveGame.h"

#include "SLoger.h"
#include "SRenderDevice.h"
#include "SUIApplication.h"
#include "SViewport.h"
#include "SWindow.h"
#include "LevelSequenceRules.h"
#include "VGGameModes.h"
#include "VGUserProfileManager.h"

#include "Platform/Win32Window.h"

namespace Vellgrove {

void VellgroveGame::UpdateMenuMode(bool /*changed*/) {
  switch (m_menu->GetResult()) {
    case VGMenu::kPlay:
      if (m_map->m_isBonus) {
        m_gameMode->ChangeMode(VGGM_MAP);
      } else if (m_gameMode->GetPrevious() == VGGM_LEVEL && !m_menu->m_userChanged) {
        ResumeLevelFromMenu(false);
      } else {
        m_gameMode->ChangeMode(VGGM_MAP);
      }
      m_map->m_isBonus = false;
      break;
    case VGMenu::kBonusLevels:
      if (m_map->m_isBonus && m_gameMode->GetPrevious() == VGGM_LEVEL && !m_menu->m_userChanged) {
        ResumeLevelFromMenu(true);
      } else {
        m_gameMode->ChangeMode(VGGM_MAP);
      }
      m_map->m_isBonus = true;
      break;
    case VGMenu::kFirstPlay:
      m_gameMode->ChangeMode(VGGM_INTRO);
      m_musicPlayer->FadeOut();
      m_musicPlayer->Play("sounds\\intro.mp3");
      m_intro->Start();
      break;
    case VGMenu::kExit:
      m_gameMode->ChangeMode(VGGM_QUIT);
      m_musicPlayer->FadeOut();
      g_UserProfileManager->SetFullScreen(m_fullScreen);
      break;
    default:
      break;
  }
  if (m_menu->m_fullScreenChanged) ToggleFullScreen();
}

void VellgroveGame::RenderMenuMode() { m_menu->Render(); }

// Back into the level the player left for the menu; it comes back paused, its menu closed.
void VellgroveGame::ResumeLevelFromMenu(bool bonus) {
  m_paused = true;
  m_gameMode->ChangeMode(VGGM_LEVEL);
  m_gameMenu->HideAllForms();
  m_musicPlayer->FadeOut();
  m_musicPlayer->Play(LevelMusic(bonus, m_level->Name));
}

void VellgroveGame::ToggleFullScreen() {
  m_fullScreen = !m_fullScreen;
  m_viewport->GetRenderDevice()->SetFullScreen(m_fullScreen);
  m_menu->m_fullScreenChanged = false;
  g_UserProfileManager->SetFullScreen(m_fullScreen);
  if (m_fullScreen) return;
  CentreWindow();
  m_viewport->GetRenderDevice()->SetFullScreen(false);
}

void VellgroveGame::CentreWindow() {
  const HWND window = m_window->m_window;
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  RECT placed{};
  GetWindowRect(window, &placed);
  AdjustWindowRect(&placed, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE);
  SetWindowPos(window, HWND_NOTOPMOST, (desktop.right - placed.right + placed.left) / 2,
               (desktop.bottom - placed.bottom + placed.top) / 2, placed.right - placed.left,
               placed.bottom - placed.top, SWP_SHOWWINDOW);
}

}  // namespace Vellgrove
