// The in-game menu: the pause menu of a running level, with its own forms drawn over the level, and
// its four buttons' handlers, which run on the input thread.
#include "VellgroveGame.h"

#include "SUIEvent.h"
#include "SUIForm.h"
#include "VGGameModes.h"
#include "VGSoundManager.h"
#include "VGSpriteCreator.h"

namespace Vellgrove {

namespace {

const char* const kGameMenuForm = "GameMenuForm";
const float kBackgroundBottom = 0.741210938f;
const float kButtonWidth = 0.25f;
const float kButtonHeight = 0.123697914f;
// Each button's texture holds its idle face above its highlighted one.
const float kFaceRight = 0.999f;
const float kIdleBottom = 0.373046875f;
const float kLitBottom = 0.74609375f;

struct GameMenuButton {
  const char* name;
  float x, y;
  void (VellgroveGame::*onClick)();
};

// Resume and the main menu above, the map and replay below.
const GameMenuButton kButtons[] = {
    {"GAMEMENUBACKTOMAP", 0.217285156f, 0.527994812f, &VellgroveGame::OnGameMenuBackToMap},
    {"GAMEMENUBACKTOMENU", 0.500488281f, 0.339192718f, &VellgroveGame::OnGameMenuBackToMenu},
    {"GAMEMENUREPLAY", 0.502441406f, 0.527994812f, &VellgroveGame::OnGameMenuReplay},
    {"GAMEMENURESUME", 0.217285156f, 0.339192718f, &VellgroveGame::OnGameMenuResume},
};

boost::shared_ptr<KorvexEngine::SSprite> Face(const char* texture, float top, float bottom) {
  const boost::shared_ptr<KorvexEngine::SSprite> sprite = VGSpriteCreator::CreateTexturedSprite(texture, 1);
  sprite->TexCoords.Y = top;
  sprite->TexCoords.Width = kFaceRight;
  sprite->TexCoords.Height = bottom;
  return sprite;
}

}  // namespace

void VellgroveGame::CreateGameMenu() {
  m_gameMenu.reset(new KorvexEngine::UI::SUIApplication);
  m_gameMenu->m_viewport = m_viewport;
  const boost::shared_ptr<KorvexEngine::UI::SUIForm> form(new KorvexEngine::UI::SUIForm(kGameMenuForm));
  form->m_viewport = m_viewport;
  form->m_x = form->m_y = 0.0f;
  form->m_width = form->m_height = 0.999f;
  for (const GameMenuButton& made : kButtons) {
    const boost::shared_ptr<KorvexEngine::UI::SUIButton> button(new KorvexEngine::UI::SUIButton);
    button->m_viewport = m_viewport;
    const boost::shared_ptr<KorvexEngine::SSprite> idle = Face(made.name, 0.0f, kIdleBottom);
    const boost::shared_ptr<KorvexEngine::SSprite> lit = Face(made.name, kIdleBottom, kLitBottom);
    button->m_x = made.x;
    button->m_y = made.y;
    button->m_width = kButtonWidth;
    button->m_height = kButtonHeight;
    button->m_normalSprite = button->m_downSprite = idle;
    button->m_overSprite = lit;
    AttachEvent(button, made.onClick);
    AttachFocusSound(button);
    form->AddControl(button);
  }
  form->m_background = VGSpriteCreator::CreateTexturedSprite("GAMEMENU", 1);
  form->m_background->TexCoords.Height = kBackgroundBottom;
  m_gameMenu->AddForm(form);
  m_inputMessager->AddListener(m_gameMenu);
}

void VellgroveGame::AttachEvent(const boost::shared_ptr<KorvexEngine::UI::SUIButton>& button,
                                void (VellgroveGame::*handler)()) {
  button->m_clickCallback.reset(new KorvexEngine::UI::SUIEvent<VellgroveGame>(handler, this));
}

void VellgroveGame::AttachFocusSound(const boost::shared_ptr<KorvexEngine::UI::SUIButton>& button) {
  button->m_hoverCallback.reset(new KorvexEngine::UI::SUIEvent<VellgroveGame>(&VellgroveGame::PlayFocusSound, this));
}

// "Focus" has one voice: a second request while it sounds is dropped.
void VellgroveGame::PlayFocusSound() {
  if (g_SoundManager) g_SoundManager->PlaySound("Focus");
}

bool VellgroveGame::IsGameMenuOpen() {
  return !m_gameMenu->m_hidden && m_gameMenu->GetActiveFormName() == kGameMenuForm;
}

void VellgroveGame::OnGameMenuResume() {
  m_gameMenu->HideAllForms();
  StopMagicSound();
  m_paused = false;
}

// The level stays paused behind the main menu, whose play button brings it back.
void VellgroveGame::OnGameMenuBackToMenu() {
  m_musicPlayer->FadeOut();
  m_gameMode->ChangeMode(VGGM_MENU);
  m_menu->Activate();
  m_musicPlayer->Play("sounds\\menu.mp3");
  m_gameMenu->m_hidden = true;
  m_gameMenu->m_enabled = false;
  StopMagicSound();
}

// The map's first update closes the menu.
void VellgroveGame::OnGameMenuBackToMap() {
  m_musicPlayer->FadeOut();
  m_gameMode->ChangeMode(VGGM_MAP);
  m_musicPlayer->Play("sounds\\menu.mp3");
  StopMagicSound();
}

}  // namespace Vellgrove
