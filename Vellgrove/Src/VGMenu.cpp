#include "VGMenu.h"

#include "DrawAsIs.h"
#include "FontGlyphs.h"
#include "SInputMessager.h"
#include "SLoger.h"
#include "SMouse.h"
#include "SRenderDevice.h"
#include "SSprite.h"
#include "SFadeCurve.h"
#include "SSpriteTransition.h"
#include "STextureFont.h"
#include "SUIApplication.h"
#include "SUIButton.h"
#include "SUICheckBox.h"
#include "SUILabel.h"
#include "SUIListBox.h"
#include "SViewport.h"
#include "SpriteFades.h"
#include "TScopedLock.h"
#include "VGMp3Player.h"
#include "VGSoundManager.h"
#include "VGTextManager.h"
#include "VGUserProfileManager.h"
#include "srethrow.h"

#include <vector>

namespace Vellgrove {

namespace {

// The menu's errors carry the names its first version had.
const char* const kSource = "..\\Src\\VGMenu";

typedef KorvexEngine::TScopedLock<VGLockGuard> Hold;

}  // namespace

VGMenu::VGMenu(const boost::shared_ptr<SCore::SViewport>& viewport,
               const boost::shared_ptr<KorvexEngine::SInputMessager>& inputMessager,
               const boost::shared_ptr<VGMp3Player>& musicPlayer)
    : m_viewport(viewport), m_inputMessager(inputMessager), m_musicPlayer(musicPlayer) {
  Create();
}

VGMenu::~VGMenu() { SaveProfiles(); }

void VGMenu::Create() {
  KORVEX_TRY
    m_ui.reset(new KorvexEngine::UI::SUIApplication);
    m_ui->m_viewport = m_viewport;
    m_inputMessager->AddListener(m_ui);
    CreateUserProfileForm();
    CreateMainForm();
    CreateNewUserForm();
    CreateAreYouSureForm();
    CreateCreditsForm();
    CreateSettingsForm();
    CreateHighScoreForm();
    m_greeting = Greeting();
    SetGreeting(m_greeting);
    // As stored: only a moving slider maps its value into the upper half.
    if (m_musicPlayer) m_musicPlayer->m_volume = g_UserProfileManager->GetMusicVolume();
    if (g_SoundManager) g_SoundManager->m_volume = g_UserProfileManager->GetSoundVolume();
    CreateCellLabel();
    CreateBall();
    UpdateBonusButton();
  KORVEX_RETHROW("VGLevel::Create()", kSource)
}

void VGMenu::Activate() {
  m_ui->HideAllForms();
  m_ui->m_enabled = true;
  m_firstFrame = true;
  m_result = kNone;
  m_fullScreenState = m_fullScreenBox->m_checked.load();
  UpdateBonusButton();
}

void VGMenu::UpdateBonusButton() {
  if (!g_UserProfileManager->HasProfiles()) return;
  m_bonusButton->m_enabled = g_UserProfileManager->GetLevel() == "done";
}

int VGMenu::GetResult() {
  Hold hold(m_lock);
  return m_result;
}

void VGMenu::Render() {
  KORVEX_TRY
    {
      Hold hold(m_lock);
      std::vector<boost::shared_ptr<KorvexEngine::STextureFont>> fonts;
      m_userList->GetItems(fonts);
      for (const auto& font : fonts) ApplyFontGlyphs(font);
      if (m_greetingPending) SetGreeting(m_greeting);
      m_greetingPending = false;
    }
    if (m_firstFrame) {
      m_ui->ShowForm("MainForm");
      if (!g_UserProfileManager->HasProfiles()) {
        m_newUserName.clear();
        m_ui->ShowForm("NewUser");
      }
      m_firstFrame = false;
    }
    const bool hintShows = UpdateNotAvailableHint();
    m_ui->Render(0.0f, 0.0f);
    if (m_notAvailable->Visible && hintShows) DrawAsIs(*m_notAvailable);
  KORVEX_RETHROW("VGLevel::Render()", kSource)
}

bool VGMenu::UpdateNotAvailableHint() {
  Hold hold(m_lock);
  m_notAvailableFade->Update();
  const int hint = m_notAvailableFade->Mode;
  const bool hintShown = hint == KorvexEngine::FadedIn || hint == KorvexEngine::FadingIn;
  if (!m_bonusButton->m_enabled && !PointerOnBonusButton() && hintShown) {
    FadeNotAvailable(KorvexEngine::FadingOut);
  }
  return m_notAvailableFade->Mode != KorvexEngine::FadedOut;
}

bool VGMenu::PointerOnBonusButton() {
  const SCore::SMouse& mouse = *m_viewport->GetInput()->GetMouse();
  const boost::shared_ptr<SCore::SRenderDevice>& device = m_viewport->GetRenderDevice();
  const float x = float(unsigned(mouse.m_position[0])) / float(device->GetWidth());
  const float y = float(unsigned(mouse.m_position[1])) / float(device->GetHeight());
  return m_bonusButton->HitTest(x, y);
}

void VGMenu::FadeNotAvailable(int mode) { StartFade(*m_notAvailableFade, mode); }

void VGMenu::SaveProfiles() {
  // A failed save is already logged by the manager; the state stays for the next one.
  if (g_UserProfileManager) g_UserProfileManager->Save();
}

std::wstring VGMenu::Greeting() {
  const boost::shared_ptr<VGUserProfile> current = g_UserProfileManager->GetCurrent();
  return g_TextManager.GetText("WELCOME") + (current ? current->m_name : std::wstring());
}

void VGMenu::SetGreeting(const std::wstring& greeting) {
  m_welcome->SetText(greeting);
  m_welcome->GetFont()->SetText(greeting);
}

void VGMenu::RefreshGreeting() {
  const std::wstring greeting = Greeting();
  {
    Hold hold(m_lock);
    if (greeting != m_greeting) m_userChanged = true;
    m_greeting = greeting;
    m_greetingPending = true;
  }
  UpdateBonusButton();
}

}  // namespace Vellgrove
