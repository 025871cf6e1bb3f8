// What the menu's controls do. Every handler runs on the input thread.
#include "VGMenu.h"

#include "DrawAsIs.h"
#include "SSprite.h"
#include "SFadeCurve.h"
#include "SSpriteTransition.h"
#include "STextureFont.h"
#include "SUIApplication.h"
#include "SUIButton.h"
#include "SUICheckBox.h"
#include "SUILabel.h"
#include "SUIListBox.h"
#include "SUITrackBar.h"
#include "TScopedLock.h"
#include "VGMp3Player.h"
#include "VGSoundManager.h"
#include "VGTextManager.h"
#include "VGUserProfileManager.h"

#include "Platform/MMSystem.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace Vellgrove {

namespace {

typedef KorvexEngine::TScopedLock<VGLockGuard> Hold;

const size_t kTableRows = 10;

void Play(const char* sound) {
  if (g_SoundManager) g_SoundManager->PlaySound(sound);
}

}  // namespace

bool VGMenu::Idle() { return m_result == kNone; }

// Once the player has chosen, the menu takes no more input until the game shows it again: its
// forms would otherwise answer clicks meant for the screens that follow. They stay drawn, so that
// the fade to the next screen darkens the menu the player chose from.
void VGMenu::SetResult(int result) {
  m_result = result;
  m_ui->m_enabled = false;
}

void VGMenu::PlayClickSound() { Play("Click"); }

void VGMenu::OnFocus() {
  if (Idle()) Play("Focus");
}

void VGMenu::OnPlay() {
  Hold hold(m_lock);
  if (Idle()) PlayClickSound();
  SetResult(g_UserProfileManager->GetLevel().empty() ? kFirstPlay : kPlay);
}

void VGMenu::OnBonusLevels() {
  Hold hold(m_lock);
  if (Idle()) PlayClickSound();
  SetResult(kBonusLevels);
}

void VGMenu::OnBonusHover() {
  {
    // The main thread advances the same fade every frame.
    Hold hold(m_lock);
    const int hint = m_notAvailableFade->Mode;
    if (!m_bonusButton->m_enabled && (hint == KorvexEngine::FadedOut || hint == KorvexEngine::FadingOut)) {
      FadeNotAvailable(KorvexEngine::FadingIn);
    }
  }
  OnFocus();
}

void VGMenu::ShowWithClick(const char* form) {
  if (Idle()) PlayClickSound();
  m_ui->ShowForm(form);
}

void VGMenu::OnExit() { ShowWithClick("AreYouSure"); }

void VGMenu::OnSettings() { ShowWithClick("Settings"); }

// Over the settings, which it returns to.
void VGMenu::OnCredits() { ShowWithClick("CreditsForm"); }

void VGMenu::OnHighScore() { ShowWithClick("HighScore"); }

void VGMenu::OnIfThis() {
  m_ui->ShowForm("UserProfile");
  const boost::shared_ptr<VGUserProfile> current = g_UserProfileManager->GetCurrent();
  if (current) m_userList->FindItem(current->m_name);
}

std::wstring VGMenu::SelectedName() { return m_userList->GetSelectedText(); }

void VGMenu::OnUserProfileOk() {
  m_ui->HideForm();
  // By the row, as a deletion goes: a name could reach the picked player's namesake.
  g_UserProfileManager->SelectProfileAt(m_userList->m_selected);
  SaveProfiles();
  RefreshGreeting();
}

void VGMenu::ShowAreYouSure() { m_ui->ShowForm("AreYouSure"); }

void VGMenu::ShowNewUser() {
  m_newUserName.clear();
  m_ui->ShowForm("NewUser");
}

void VGMenu::OnYes() {
  Hold hold(m_lock);
  m_ui->HideForm();
  const std::string below = m_ui->GetActiveFormName();
  if (below == "UserProfile") {
    // The list's rows stand in the profiles' order; by name, a namesake could go instead.
    g_UserProfileManager->RemoveProfileAt(m_userList->m_selected);
    m_userList->RemoveSelected();
    g_UserProfileManager->SelectProfileAt(m_userList->m_selected);
    SaveProfiles();
    RefreshGreeting();
    if (!g_UserProfileManager->HasProfiles()) ShowNewUser();
  } else if (below == "HighScore") {
    g_UserProfileManager->ClearHighScore();
  } else if (below == "MainForm") {
    SetResult(kExit);
  }
}

void VGMenu::OnCloseForm() { m_ui->HideForm(); }

void VGMenu::OnNewUserOk() {
  Hold hold(m_lock);
  if (m_newUserName.empty()) return;
  const std::wstring name = m_newUserName;
  m_ui->HideForm();
  m_userList->InsertFront(name);
  m_userList->FindItem(name);
  g_UserProfileManager->AddProfile(name);
  g_UserProfileManager->SelectProfile(SelectedName());
  SaveProfiles();
  RefreshGreeting();
}

void VGMenu::OnNewUserCancel() {
  if (g_UserProfileManager->HasProfiles()) m_ui->HideForm();
}

void VGMenu::OnCreditsClose() {
  PlayClickSound();
  m_ui->HideForm();
}

void VGMenu::OnSettingsOk() {
  PlayClickSound();
  m_ui->HideForm();
  g_UserProfileManager->SetMusicVolume(m_musicBar->m_value);
  g_UserProfileManager->SetSoundVolume(m_soundBar->m_value);
  SaveProfiles();
}

void VGMenu::OnMusicVolumeChanged() {
  if (m_musicBar && m_musicPlayer) m_musicPlayer->m_volume = 0.5f + 0.5f * m_musicBar->m_value;
}

void VGMenu::OnSoundVolumeChanged() {
  if (!m_soundBar) return;
  if (g_SoundManager) g_SoundManager->m_volume = 0.5f + 0.5f * m_soundBar->m_value;
  Play("Tooth");
}

void VGMenu::OnFullScreenChanged() {
  const bool ticked = m_fullScreenBox->m_checked;
  m_fullScreenChanged = m_fullScreenState != ticked;
  m_fullScreenState = ticked;
}

void VGMenu::RenderHighScoreTable() {
  const float t = float(timeGetTime());
  const float balls[3][4] = {{0.0001f, 0.0003f, 0.4f, 0.3f}, {0.0007f, 0.0002f, 0.4f, 0.3f},
                             {0.0005f, 0.0003f, 0.2f, 0.4f}};
  for (const auto& ball : balls) {
    m_ball->SetPosition(std::sin(t * ball[0]) * ball[2] + ball[3], std::sin(t * ball[1]) * ball[2] + ball[3]);
    DrawAsIs(*m_ball);
  }

  const BYTE headingColour[4] = {255, 240, 181, 56};
  std::copy(headingColour, headingColour + 4, m_tableFont->Color);
  const struct {
    const char* key;
    float x;
  } headings[] = {{"PLAYER", 0.205f}, {"LEVEL", 0.461f}, {"HIGHSCORE", 0.672f}};
  for (const auto& heading : headings) {
    m_tableFont->SetText(g_TextManager.GetText(heading.key));
    m_tableFont->Position = {heading.x, 0.123f, 0.0154f, 0.035f};
    m_tableFont->CacheValid = false;
    DrawAsIs(*m_tableFont);
  }

  std::fill(m_cellLabel->GetFont()->Color, m_cellLabel->GetFont()->Color + 4, BYTE(255));
  m_cellLabel->m_alignment = 2;
  const std::vector<VGHighScoreEntry> rows = g_UserProfileManager->GetHighScoreRows(kTableRows);
  for (size_t k = 0; k < rows.size(); ++k) {
    const float y = 0.2f + 0.064f * float(k);
    const VGHighScoreEntry& row = rows[k];
    const std::wstring level(row.m_level.begin(), row.m_level.end());
    const std::pair<float, std::wstring> cells[] = {
        {0.059f, row.m_name}, {0.313f, level}, {0.558f, std::to_wstring(row.m_bestScore)}};
    for (const auto& cell : cells) {
      m_cellLabel->m_x = cell.first;
      m_cellLabel->m_y = y;
      m_cellLabel->SetText(cell.second);
      m_cellLabel->Render(0.0f, 0.0f);
    }
  }
}

}  // namespace Vellgrove
