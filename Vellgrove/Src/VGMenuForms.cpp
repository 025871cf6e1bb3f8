// The seven forms of the main menu: their pictures, places and handlers.
#include "VGMenu.h"

#include "FontGlyphs.h"
#include "GameGlobals.h"
#include "GameSprites.h"
#include "SInputMessager.h"
#include "SSprite.h"
#include "SFadeCurve.h"
#include "SSpriteTransition.h"
#include "SUIApplication.h"
#include "SUIButton.h"
#include "SUICheckBox.h"
#include "SUIEvent.h"
#include "SUIForm.h"
#include "SUILabel.h"
#include "SUIListBox.h"
#include "SUITextBox.h"
#include "SUITrackBar.h"
#include "TexelCentre.h"
#include "VGSpriteCreator.h"
#include "VGUserProfileManager.h"

#include <cmath>

namespace Vellgrove {

namespace {

using KorvexEngine::SSprite;
using KorvexEngine::UI::SUIButton;
using KorvexEngine::UI::SUIForm;
using KorvexEngine::UI::SUILabel;
typedef boost::shared_ptr<SSprite> Sprite;
typedef void (VGMenu::*Handler)();

// The dialogs share one place on the screen.
const float kDialogX = 0.2275390625f, kDialogY = 0.18f, kDialogWidth = 0.544921875f, kDialogHeight = 0.625f;
const float kDialogRight = 0.54296875f, kDialogBottom = 0.931640625f;
const float kSmallWidth = 0.0927734375f, kSmallHeight = 0.05859375f;
const float kStripWidth = 0.1953125f, kStripHeight = 0.08984375f;
const float kScreenRight = 0.999f;
const float kPictureBottom = 0.7412109375f;
// The list's and the name box's text.
const float kTextCellWidth = 0.014405f, kTextCellHeight = 0.0349027f, kTextSpacing = 0.99f;
const unsigned int kTextCharacters = 20;
const float kTextMarginX = 0.0195755f, kTextMarginY = 0.0288218f;
const BYTE kTextColour[4] = {255, 75, 95, 96};

Sprite Face(const char* texture, float left, float top, float right, float bottom) {
  const Sprite sprite = VGSpriteCreator::CreateTexturedSprite(texture, 1);
  sprite->TexCoords = {left, top, right, bottom};
  return sprite;
}

struct Faces {
  Sprite normal, over, down, disabled;
};

// PAS when resting or pressed, ACT under the pointer.
Faces Pair(const std::string& stem, float right = 0.7421875f, float bottom = 0.703125f) {
  const Sprite resting = Face((stem + "PAS").c_str(), 0.0f, 0.0f, right, bottom);
  return {resting, Face((stem + "ACT").c_str(), 0.0f, 0.0f, right, bottom), resting, Sprite()};
}

// One texture: the resting face above, the lit face below.
Faces Strip(const char* texture) {
  const Sprite resting = Face(texture, 0.0f, 0.0f, 0.78125f, 0.26953125f);
  return {resting, Face(texture, 0.0f, 0.26953125f, 0.78125f, 0.5390625f), resting, Sprite()};
}

void ApplyTextLook(SUILabel& label, const BYTE colour[4]) {
  std::copy(colour, colour + 4, label.GetFont()->Color);
  label.GetFont()->CacheValid = false;
  ApplyFontGlyphs(label.GetFont());
}

void CreateInConfiguredFont(SUILabel& label, float cellWidth, float cellHeight, float spacing,
                            unsigned int characters) {
  label.Create(cellWidth, cellHeight, spacing, characters, g_FontName, g_FontCharsH, g_FontCharsW, g_FontIndent.X,
               g_FontIndent.Y, g_FontIndent.Width, g_FontIndent.Height);
  ApplyFontGlyphs(label.GetFont());
}

}  // namespace

// Builders' shared steps, kept beside the forms they serve.
class VGMenuBuilder {
 public:
  VGMenuBuilder(VGMenu& menu, const char* name, float x, float y, float width, float height, const Sprite& background)
      : m_menu(menu), m_form(new SUIForm(name)) {
    m_form->m_viewport = menu.m_viewport;
    m_form->m_x = x;
    m_form->m_y = y;
    m_form->m_width = width;
    m_form->m_height = height;
    m_form->m_background = background;
    m_form->m_hidden = true;
    m_form->m_enabled = false;
  }

  static VGMenuBuilder Dialog(VGMenu& menu, const char* name, const char* background) {
    return VGMenuBuilder(menu, name, kDialogX, kDialogY, kDialogWidth, kDialogHeight,
                         Face(background, 0.0f, 0.0f, kDialogRight, kDialogBottom));
  }

  boost::shared_ptr<SUIButton> Button(const Faces& faces, float x, float y, float width, float height,
                                      Handler onClick, Handler onHover = &VGMenu::OnFocus) {
    const boost::shared_ptr<SUIButton> button(new SUIButton);
    button->m_viewport = m_menu.m_viewport;
    button->m_x = x;
    button->m_y = y;
    button->m_width = width;
    button->m_height = height;
    button->m_normalSprite = faces.normal;
    button->m_overSprite = faces.over;
    button->m_downSprite = faces.down;
    button->m_disabledSprite = faces.disabled;
    button->m_clickCallback.reset(new KorvexEngine::UI::SUIEvent<VGMenu>(onClick, &m_menu));
    button->m_hoverCallback.reset(new KorvexEngine::UI::SUIEvent<VGMenu>(onHover, &m_menu));
    m_form->AddControl(button);
    return button;
  }

  boost::shared_ptr<SUIButton> SmallButton(const char* stem, float x, float y, Handler onClick) {
    return Button(Pair(stem), x, y, kSmallWidth, kSmallHeight, onClick);
  }

  void Add(const boost::shared_ptr<KorvexEngine::UI::SUIControl>& control) {
    control->m_viewport = m_menu.m_viewport;
    m_form->AddControl(control);
  }

  const boost::shared_ptr<SUIForm>& Form() const { return m_form; }

  void Finish() { m_menu.m_ui->AddForm(m_form); }

 private:
  VGMenu& m_menu;
  boost::shared_ptr<SUIForm> m_form;
};

void VGMenu::CreateMainForm() {
  VGMenuBuilder form(*this, "MainForm", 0.0f, 0.0f, kScreenRight, kScreenRight,
                     Face("MENUBKG", 0.0f, 0.0f, 1.0f, kPictureBottom));
  form.Button(Strip("PLAYGAMEACTPAS"), 0.31103515625f, 0.501953125f, kStripWidth, kStripHeight, &VGMenu::OnPlay);
  form.Button(Strip("SETTINGSACTPAS"), 0.52099609375f, 0.501953125f, kStripWidth, kStripHeight,
              &VGMenu::OnSettings);
  form.Button(Strip("HIGHSCOREACTPAS"), 0.31103515625f, 0.63346356f, kStripWidth, kStripHeight,
              &VGMenu::OnHighScore);
  form.Button(Strip("EXITACTPAS"), 0.52099609375f, 0.63346356f, kStripWidth, kStripHeight, &VGMenu::OnExit);

  const float ifThisWidth = std::floor(g_MenuIfThisWidth * 1024.0f) / 1024.0f;
  const Sprite ifThis = Face("IFTHIS", 0.0f, 0.0f, g_MenuIfThisTexWidth, 0.46875f);
  form.Button({ifThis, Face("IFTHIS", 0.0f, 0.46875f, g_MenuIfThisTexWidth, 0.9375f), ifThis, Sprite()},
              TexelCentre((1.0f - ifThisWidth) * 0.5f, 1024.0f), TexelCentre(0.298f, 768.0f), ifThisWidth,
              0.037760418f, &VGMenu::OnIfThis);

  const float bonusRight = 0.810546875f;
  const Sprite bonus = Face("BONUSLEVELACTPASDIS", 0.0f, 0.28125f, bonusRight, 0.5625f);
  m_bonusButton = form.Button({bonus, Face("BONUSLEVELACTPASDIS", 0.0f, 0.5625f, bonusRight, 0.84375f), bonus,
                               Face("BONUSLEVELACTPASDIS", 0.0f, 0.0f, bonusRight, 0.28125f)},
                              TexelCentre(0.311f, 1024.0f), TexelCentre(0.371f, 768.0f), 0.4052734375f, 0.09375f,
                              &VGMenu::OnBonusLevels, &VGMenu::OnBonusHover);

  m_welcome.reset(new SUILabel);
  m_welcome->m_viewport = m_viewport;
  CreateInConfiguredFont(*m_welcome, 0.04f, 0.08f, 1.12f, 20);
  const BYTE welcomeColour[4] = {255, 227, 65, 115};
  ApplyTextLook(*m_welcome, welcomeColour);
  m_welcome->m_alignment = 2;
  m_welcome->m_x = 0.052f;
  m_welcome->m_y = 0.193f;
  form.Add(m_welcome);
  form.Finish();

  m_notAvailable = Face("NOTAVAILABLE", 0.0f, 0.0f, 0.78125f, 0.5390625f);
  m_notAvailable->SetPosition(TexelCentre(0.32f, 1024.0f), TexelCentre(0.749f, 768.0f));
  m_notAvailable->SetSize(0.390625f, 0.08984375f);
  m_notAvailable->Material.AlphaOp = 4;  // modulate: the fade's vertex alpha shows
  m_notAvailableFade.reset(new KorvexEngine::SSpriteTransition(2000.0f));
  m_notAvailableFade->Sprite = m_notAvailable;
  m_notAvailableFade->Mode = KorvexEngine::FadedOut;
}

void VGMenu::CreateUserProfileForm() {
  VGMenuBuilder form = VGMenuBuilder::Dialog(*this, "UserProfile", "WHOAREYOU");
  form.SmallButton("OKBTN", 0.066650390625f, 0.5f, &VGMenu::OnUserProfileOk);
  form.SmallButton("CANBTN", 0.22607421875f, 0.5f, &VGMenu::OnCloseForm);
  form.SmallButton("DELBTN", 0.385498046875f, 0.5f, &VGMenu::ShowAreYouSure);
  form.Button(Pair("BTNNEWUSER", 0.65625f, 0.75f), 0.1083984375f, 0.1f, 0.328125f, 0.0625f, &VGMenu::ShowNewUser);

  m_userList.reset(new KorvexEngine::UI::SUIListBox);
  KorvexEngine::UI::SUIListBox& list = *m_userList;
  list.m_viewport = m_viewport;
  list.m_x = 0.13331875f;
  list.m_y = 0.18f;
  list.m_cellWidth = kTextCellWidth;
  list.m_cellHeight = kTextCellHeight;
  list.m_spacing = kTextSpacing;
  list.m_maxCharacters = kTextCharacters;
  list.m_textureName = g_FontName;
  list.m_glyphColumns = g_FontCharsH;
  list.m_glyphRows = g_FontCharsW;
  list.m_textureRect = g_FontIndent;
  list.m_visibleRows = 3;
  list.m_alignment = 2;
  std::copy(kTextColour, kTextColour + 4, list.m_color);
  list.m_marginLeft = list.m_marginRight = kTextMarginX;
  list.m_marginTop = list.m_marginBottom = kTextMarginY;
  list.m_rowSprite = Face("TXTBOXBKG", 0.0f, 0.0f, 0.576171875f, 1.0f);
  list.m_selectedRowSprite = Face("TXTBOXBKG", 0.0f, 0.0f, 0.576171875f, 1.0f);
  KorvexEngine::SSprite& selected = *list.m_selectedRowSprite;
  selected.ColorLU = selected.ColorRU = selected.ColorLD = selected.ColorRD = 0xFFA0FFF0;
  list.m_scrollArrowSprite = VGSpriteCreator::CreateTexturedSprite("SCROLLPOINT", 1);
  for (const std::wstring& name : g_UserProfileManager->GetProfileNames()) list.AddItem(name);
  const boost::shared_ptr<VGUserProfile> current = g_UserProfileManager->GetCurrent();
  if (current) list.FindItem(current->m_name);
  form.Add(m_userList);
  form.Finish();
}

void VGMenu::CreateNewUserForm() {
  VGMenuBuilder form = VGMenuBuilder::Dialog(*this, "NewUser", "NEWUSER");
  form.SmallButton("OKBTN", 0.119791664f, 0.42f, &VGMenu::OnNewUserOk)->m_defaultButton = true;
  form.SmallButton("CANBTN", 0.33235678f, 0.42f, &VGMenu::OnNewUserCancel);

  const boost::shared_ptr<KorvexEngine::UI::SUITextBox> box(new KorvexEngine::UI::SUITextBox("Russian"));
  box->m_viewport = m_viewport;
  // Players name themselves in the code page's letters too.
  box->m_localeInput = true;
  box->m_x = 0.13331875f;
  box->m_y = 0.18f;
  box->m_maxCharacters = kTextCharacters;
  box->Create(kTextCellWidth, kTextCellHeight, kTextSpacing, g_FontName, g_FontCharsH, g_FontCharsW, g_FontIndent.X,
              g_FontIndent.Y, g_FontIndent.Width, g_FontIndent.Height);
  std::copy(kTextColour, kTextColour + 4, box->GetFont()->Color);
  ApplyFontGlyphs(box->GetFont());
  box->m_marginLeft = box->m_marginRight = kTextMarginX;
  box->m_marginTop = box->m_marginBottom = kTextMarginY;
  box->m_background = Face("TXTBOXBKG", 0.0f, 0.0f, 0.576171875f, 1.0f);
  box->m_cursorSprite = VGSpriteCreator::CreateTexturedSprite("TEXTBOXCURSOR", 1);
  box->m_cursorSprite->SetSize(0.0009765625f, 0.029947916f);
  AnimateSheet(*box->m_cursorSprite, "TEXTBOXCURSORAnimator", 2, 1, 2.0f, SCore::SRect{0.0f, 0.0f, 1.0f, 1.0f});
  box->Bind(&m_newUserName);
  // Ready for typing, as if clicked.
  box->m_state = KorvexEngine::UI::SUIControl::kDown;
  box->m_focused = true;
  form.Add(box);
  form.Finish();
}

void VGMenu::CreateAreYouSureForm() {
  VGMenuBuilder form = VGMenuBuilder::Dialog(*this, "AreYouSure", "AREYOUSURE");
  const float right = 0.62890625f, bottom = 0.640625f, width = 0.1572265625f, height = 0.10677083f;
  form.Button(Pair("BTNYES", right, bottom), 0.07682292f, 0.25f, width, height, &VGMenu::OnYes);
  form.Button(Pair("BTNNO", right, bottom), 0.3108724f, 0.25f, width, height, &VGMenu::OnCloseForm);
  form.Finish();
}

void VGMenu::CreateCreditsForm() {
  VGMenuBuilder form(*this, "CreditsForm", 0.0f, 0.0f, kScreenRight, kScreenRight, Sprite());
  const Sprite credits = Face("CREDITS", 0.0f, 0.0f, 1.0f, kPictureBottom);
  form.Button({credits, credits, credits, Sprite()}, 0.0f, 0.0f, kScreenRight, kScreenRight,
              &VGMenu::OnCreditsClose);
  form.Finish();
}

void VGMenu::CreateSettingsForm() {
  VGMenuBuilder form = VGMenuBuilder::Dialog(*this, "Settings", "SETTINGS");
  form.SmallButton("OKBTN", 0.258615f, 0.5125f, &VGMenu::OnSettingsOk);
  form.SmallButton("CREDITBTN", 0.41f, 0.5125f, &VGMenu::OnCredits);

  const Sprite thumb = VGSpriteCreator::CreateTexturedSprite("SHUTTLE", 1);
  const auto bar = [&](float y, float value, Handler onChange) {
    const boost::shared_ptr<KorvexEngine::UI::SUITrackBar> made(new KorvexEngine::UI::SUITrackBar);
    made->m_x = 0.12246094f;
    made->m_y = y;
    made->m_width = 0.334f;
    made->m_height = 0.08333f;
    made->m_thumbSprite = thumb;
    made->m_thumbWidth = 0.04545f;
    made->m_thumbHeight = 1.0f;
    made->m_changeCallback.reset(new KorvexEngine::UI::SUIEvent<VGMenu>(onChange, this));
    // Set before the bar is known to the menu, so that this first change applies nothing.
    made->SetValue(value);
    form.Add(made);
    return made;
  };
  m_musicBar = bar(0.18510418f, g_UserProfileManager->GetMusicVolume(), &VGMenu::OnMusicVolumeChanged);
  m_soundBar = bar(0.35010415f, g_UserProfileManager->GetSoundVolume(), &VGMenu::OnSoundVolumeChanged);

  m_fullScreenBox.reset(new KorvexEngine::UI::SUICheckBox);
  KorvexEngine::UI::SUICheckBox& box = *m_fullScreenBox;
  box.m_x = 0.049316406f;
  box.m_y = 0.5110677f;
  box.m_width = 0.17578125f;
  box.m_height = 0.05859375f;
  const float right = 0.703125f;
  box.m_uncheckedSprite = Face("CHECK", 0.0f, 0.0f, right, 0.19921875f);
  box.m_uncheckedOverSprite = Face("CHECK", 0.0f, 0.19921875f, right, 0.3984375f);
  box.m_checkedSprite = Face("CHECK", 0.0f, 0.3984375f, right, 0.59765625f);
  box.m_checkedOverSprite = Face("CHECK", 0.0f, 0.59765625f, right, 0.796875f);
  box.m_changeCallback.reset(new KorvexEngine::UI::SUIEvent<VGMenu>(&VGMenu::OnFullScreenChanged, this));
  form.Add(m_fullScreenBox);
  form.Finish();
}

void VGMenu::CreateHighScoreForm() {
  VGMenuBuilder form(*this, "HighScore", 0.0f, 0.0f, 0.99f, 0.99f, Face("SCOREBKG", 0.0f, 0.0f, 1.0f, 1.0f));
  form.Form()->m_renderCallback.reset(new KorvexEngine::UI::SUIEvent<VGMenu>(&VGMenu::RenderHighScoreTable, this));
  form.SmallButton("OKBTN", 0.1f, 0.85f, &VGMenu::OnCloseForm);
  form.SmallButton("CLEARBTN", 0.81f, 0.85f, &VGMenu::ShowAreYouSure);
  form.Finish();
}

void VGMenu::CreateCellLabel() {
  m_cellLabel.reset(new SUILabel);
  m_cellLabel->m_viewport = m_viewport;
  CreateInConfiguredFont(*m_cellLabel, 0.02f, 0.04f, 1.0f, 20);
  m_cellLabel->m_x = 0.3019f;
  m_cellLabel->m_y = 0.125f;
  m_cellLabel->SetText(L"Player");
  m_cellLabel->m_alignment = 2;
}

void VGMenu::CreateBall() {
  m_ball = VGSpriteCreator::CreateTexturedSprite("BALL", 1);
  m_ball->Material.Filtration1->IsBilinear = true;
  m_ball->SetSize(0.6f, 0.6f);
  m_ball->Material.DstBlend = 2;  // one: the balls add light
}

}  // namespace Vellgrove
