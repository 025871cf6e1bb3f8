#include "VGTropheis.h"

#include "CreateTinyXMLDeserializator.h"
#include "DrawAsIs.h"
#include "FontGlyphs.h"
#include "GameGlobals.h"
#include "SFadeCurve.h"
#include "SInputMessager.h"
#include "SSprite.h"
#include "SSpriteTransition.h"
#include "STextureManager.h"
#include "STinyXMLDeserializator.h"
#include "SUIButton.h"
#include "SUIEvent.h"
#include "SUIForm.h"
#include "SUILabel.h"
#include "SViewport.h"
#include "SpriteFades.h"
#include "TScopedLock.h"
#include "TexelCentre.h"
#include "VGSpriteCreator.h"
#include "VGUserProfileManager.h"
#include "srethrow.h"

#include "Platform/MMSystem.h"

namespace Vellgrove {

namespace {

using KorvexEngine::SSprite;
using KorvexEngine::UI::SUIButton;
typedef boost::shared_ptr<SSprite> Sprite;
typedef KorvexEngine::TScopedLock<VGLockGuard> Hold;

const char* const kSource = "..\\Src\\VGTropheis";
const int kModulate = 4;  // the fades' vertex alpha shows
const unsigned int kColumns = 6;
const unsigned int kPerSet = 15;
const DWORD kAnnouncementMilliseconds = 2000;

Sprite Fading(const char* texture, float left, float top, float right, float bottom) {
  const Sprite sprite = VGSpriteCreator::CreateTexturedSprite(texture, 1);
  sprite->TexCoords = {left, top, right, bottom};
  sprite->Material.AlphaOp = kModulate;
  return sprite;
}

boost::shared_ptr<SUIButton> Button(const Sprite& face, float x, float y, float width, float height) {
  const boost::shared_ptr<SUIButton> button(new SUIButton);
  button->m_viewport = VGSpriteCreator::GetRenderDevice();
  button->m_x = x;
  button->m_y = y;
  button->m_width = width;
  button->m_height = height;
  button->m_normalSprite = button->m_overSprite = button->m_downSprite = face;
  return button;
}

boost::shared_ptr<KorvexEngine::SSpriteTransition> Transition(float milliseconds, const Sprite& sprite) {
  const boost::shared_ptr<KorvexEngine::SSpriteTransition> fade(new KorvexEngine::SSpriteTransition(milliseconds));
  fade->Sprite = sprite;
  return fade;
}

void Place(SSprite& sprite, float x, float y, float width, float height) {
  sprite.SetPosition(x, y);
  sprite.SetSize(width, height);
}

}  // namespace

VGTropheis::VGTropheis(const boost::shared_ptr<KorvexEngine::SInputMessager>& inputMessager)
    : m_inputMessager(inputMessager) {
  Init();
}

VGTropheis::~VGTropheis() = default;

void VGTropheis::Init() {
  KORVEX_TRY
    CreateForm();
    CreateTrophyButtons();
    CreateSetButtons();
    CreateDescription();
    CreateOverlays();
    m_newTrophyFade = Transition(8000.0f, Sprite());
    m_setFade = Transition(8000.0f, Sprite());
    m_inputMessager->AddListener(m_form);
    ReadDescriptions();
  KORVEX_RETHROW("VGTropheis::Init()", kSource)
}

void VGTropheis::CreateForm() {
  m_form.reset(new KorvexEngine::UI::SUIForm("Tropheis"));
  m_form->m_viewport = VGSpriteCreator::GetRenderDevice();
  m_form->m_x = m_form->m_y = 0.0f;
  m_form->m_width = m_form->m_height = 1.0f;
  m_form->m_background = VGSpriteCreator::CreateTexturedSprite("TROPHIES", 1);
  m_form->m_background->TexCoords = {0.0f, 0.0f, 1.0f, 0.75f};
  const Sprite ok = VGSpriteCreator::CreateTexturedSprite("OKBTNPAS", 1);
  ok->TexCoords = {0.0f, 0.0f, 0.7421875f, 0.703125f};
  const boost::shared_ptr<SUIButton> okButton = Button(ok, 0.8588867f, 0.89127606f, 0.0927734375f, 0.05859375f);
  okButton->m_overSprite = VGSpriteCreator::CreateTexturedSprite("OKBTNACT", 1);
  okButton->m_overSprite->TexCoords = ok->TexCoords;
  okButton->m_clickCallback.reset(new KorvexEngine::UI::SUIEvent<VGTropheis>(&VGTropheis::OnOk, this));
  m_form->AddControl(okButton);
}

void VGTropheis::CreateTrophyButtons() {
  const float cellWidth = 0.1240234375f, cellHeight = 0.1142578125f;
  for (unsigned int i = 0; i < kTrophies; ++i) {
    const float column = float(i % kColumns), row = float(i / kColumns);
    const Sprite face = Fading("TROPHIESSET", column * cellWidth, row * cellHeight, column * cellWidth + cellWidth,
                               row * cellHeight + cellHeight);
    const boost::shared_ptr<SUIButton> trophy =
        Button(face, TexelCentre(column * 0.129f + 0.0229f, 1024.0f), TexelCentre(row * 0.158f + 0.03f, 768.0f),
               cellWidth, 0.15234375f);
    trophy->m_clickCallback.reset(new KorvexEngine::UI::SUIEvent<VGTropheis>(&VGTropheis::OnTrophyClick, this));
    m_trophyButtons.push_back(trophy);
    m_form->AddControl(trophy);
  }
}

void VGTropheis::CreateSetButtons() {
  const auto set = [&](const char* texture, float y) {
    const boost::shared_ptr<SUIButton> button =
        Button(Fading(texture, 0.0f, 0.0f, 0.7578125f, 0.6269531f), 0.80908203f, y, 0.18945312f, 0.41796875f);
    m_form->AddControl(button);
    return button;
  };
  m_setButton1 = set("TROPHIEBIG1", -0.0006510417f);
  m_setButton2 = set("TROPHIEBIG2", 0.42252603f);
}

void VGTropheis::CreateDescription() {
  m_description.reset(new KorvexEngine::UI::SUILabel);
  m_description->m_viewport = VGSpriteCreator::GetRenderDevice();
  m_description->Create(0.01821675f, 0.05f, 1.12f, 58, g_FontName, g_FontCharsH, g_FontCharsW, g_FontIndent.X,
                        g_FontIndent.Y, g_FontIndent.Width, g_FontIndent.Height);
  m_description->m_x = 0.2f;
  m_description->m_y = 0.912f;
  const BYTE colour[4] = {255, 115, 150, 84};
  std::copy(colour, colour + 4, m_description->GetFont()->Color);
  m_description->m_alignment = 2;
  m_description->m_fixedWidth = false;
  ApplyFontGlyphs(m_description->GetFont());
  m_form->AddControl(m_description);
}

void VGTropheis::CreateOverlays() {
  m_bigTrophy = Fading("TROPHIESETBIG1", 0.0f, 0.0f, 0.25f, 0.2314453125f);
  Place(*m_bigTrophy, 0.27783203f, 0.26757812f, 0.25f, 0.30859375f);
  m_bigBackground = Fading("TROPHIEBIGBACKGROUND", 0.0f, 0.0f, 0.6875f, 0.6503906f);
  m_wow = Fading("WOW", 0.0f, 0.0f, 0.6875f, 0.6503906f);
  for (SSprite* overlay : {m_bigBackground.get(), m_wow.get()}) {
    Place(*overlay, 0.23095703f, 0.20507812f, 0.34375f, 0.43359375f);
  }
  m_bigTrophyFade = Transition(500.0f, m_bigTrophy);
  m_bigBackgroundFade = Transition(500.0f, m_bigBackground);
  m_wowFade = Transition(500.0f, m_wow);
  for (const auto& fade : {m_bigTrophyFade, m_bigBackgroundFade, m_wowFade}) SettleFade(*fade, KorvexEngine::FadedOut);
}

void VGTropheis::ReadDescriptions() {
  const boost::shared_ptr<SCore::STinyXMLDeserializator> reader = CreateTinyXMLDeserializator(g_TrophiesPath);
  reader->DoBeginChild("Trophies");
  for (unsigned int i = 0; i < reader->DoGetChildCount(); ++i) {
    reader->DoBeginChild(i);
    std::wstring description;
    reader->DoDeserialize("Name", description);
    m_descriptions.push_back(description);
    reader->DoEndChild();
  }
  reader->DoEndChild();
}

void VGTropheis::Refresh() {
  KORVEX_TRY
    {
      Hold hold(m_lock);
      m_done = false;
      m_okClicked = m_trophyClicked = false;
    }
    const boost::shared_ptr<VGUserProfile> profile = CurrentProfile();
    for (unsigned int i = 0; i < kTrophies; ++i) {
      m_trophyButtons[i]->m_hidden = !(profile && profile->m_trophies[i] != 0);
    }
    m_setButton1->m_hidden = !(profile && profile->m_firstSetDone);
    m_setButton2->m_hidden = !(profile && profile->m_secondSetDone);

    if (!m_newTrophies.empty()) {
      const unsigned int won = m_newTrophies.front();
      m_newTrophies.pop_front();
      m_newTrophyFade->Sprite = m_trophyButtons[won % kTrophies]->m_normalSprite;
      SettleFade(*m_newTrophyFade, KorvexEngine::FadedOut);
      StartFade(*m_wowFade, KorvexEngine::FadingIn);
      m_newTrophyShown = true;
      m_newTrophyTime = timeGetTime();
    } else {
      SettleFade(*m_wowFade, KorvexEngine::FadedOut);
      SettleFade(*m_newTrophyFade, KorvexEngine::FadedOut);
      m_newTrophyShown = false;
    }

    if (m_announceSet1 || m_announceSet2) {
      m_setFade->Sprite = (m_announceSet1 ? m_setButton1 : m_setButton2)->m_normalSprite;
      StartFade(*m_setFade, KorvexEngine::FadingIn);
      (m_announceSet1 ? m_announceSet1 : m_announceSet2) = false;
    } else {
      SettleFade(*m_setFade, KorvexEngine::FadedOut);
    }
    SettleFade(*m_bigBackgroundFade, KorvexEngine::FadedOut);
    SettleFade(*m_bigTrophyFade, KorvexEngine::FadedOut);
    m_bigShown = false;
  KORVEX_RETHROW("VGTropheis::Refresh()", kSource)
}

void VGTropheis::Update() {
  bool ok = false, trophy = false;
  unsigned int index = kNone;
  {
    Hold hold(m_lock);
    std::swap(ok, m_okClicked);
    std::swap(trophy, m_trophyClicked);
    index = m_clickedIndex;
  }
  if (trophy) ApplyTrophyClick(index);
  if (ok) ApplyOk();
  for (const auto& fade : {m_newTrophyFade, m_setFade, m_bigBackgroundFade, m_bigTrophyFade, m_wowFade}) fade->Update();
  UpdateDescription();
  if (m_newTrophyShown && timeGetTime() - m_newTrophyTime > kAnnouncementMilliseconds) {
    StartFade(*m_wowFade, KorvexEngine::FadingOut);
    StartFade(*m_newTrophyFade, KorvexEngine::FadingIn);
    m_newTrophyShown = false;
  }
}

void VGTropheis::Render() {
  if (!m_form->m_hidden) m_form->DoRender(0.0f, 0.0f);
  for (SSprite* overlay : {m_bigBackground.get(), m_bigTrophy.get(), m_wow.get()}) {
    if (overlay->Visible) DrawAsIs(*overlay);
  }
}

void VGTropheis::OnOk() {
  Hold hold(m_lock);
  m_okClicked = true;
}

void VGTropheis::OnTrophyClick() {
  const unsigned int index = GetHoveredIndex();
  Hold hold(m_lock);
  m_trophyClicked = true;
  m_clickedIndex = index;
}

void VGTropheis::ApplyTrophyClick(unsigned int index) {
  if (index < kTrophies && !m_bigShown) {
    const unsigned int k = index % kPerSet;
    const float left = float(k % 4) * 0.25f, top = float(k / 4) * 0.2314453125f;
    const char* texture = index < kPerSet ? "TROPHIESETBIG1" : "TROPHIESETBIG2";
    VGSpriteCreator::ShowTexture(*m_bigTrophy,
                                 VGSpriteCreator::GetRenderDevice()->GetTextureManager()->GetTexture(texture));
    m_bigTrophy->Material.AlphaOp = kModulate;
    m_bigTrophy->TexCoords = {left, top, left + 0.25f, top + 0.2314453125f};
    m_bigTrophy->CacheValid = false;
    StartFade(*m_bigBackgroundFade, KorvexEngine::FadingIn);
    StartFade(*m_bigTrophyFade, KorvexEngine::FadingIn);
    m_bigShown = true;
    m_bigIndex = index;
  } else if (m_bigShown) {
    StartFade(*m_bigBackgroundFade, KorvexEngine::FadingOut);
    StartFade(*m_bigTrophyFade, KorvexEngine::FadingOut);
    m_bigShown = false;
  }
}

// The newest trophy and a set just completed keep their full strength from now on.
void VGTropheis::ApplyOk() {
  if (m_newTrophyFade->Mode == KorvexEngine::FadingIn || m_newTrophyShown) {
    SettleFade(*m_newTrophyFade, KorvexEngine::FadedIn);
    m_newTrophyShown = false;
  }
  m_newTrophyFade->Sprite.reset();
  if (m_setFade->Mode == KorvexEngine::FadingIn) SettleFade(*m_setFade, KorvexEngine::FadedIn);
  m_setFade->Sprite.reset();
  Hold hold(m_lock);
  m_done = true;
}

bool VGTropheis::IsDone() {
  Hold hold(m_lock);
  return m_done;
}

unsigned int VGTropheis::GetHoveredIndex() const {
  for (unsigned int i = 0; i < kTrophies; ++i) {
    const SUIButton& trophy = *m_trophyButtons[i];
    if (!trophy.m_hidden && trophy.m_state != SUIButton::kNormal) return i;
  }
  return kNone;
}

// A file with fewer descriptions than trophies leaves the others without one.
void VGTropheis::UpdateDescription() {
  const unsigned int hovered = GetHoveredIndex();
  const std::wstring text = hovered < m_descriptions.size() ? m_descriptions[hovered] : std::wstring();
  // Every frame asks; the label's glyphs are rebuilt only when the text changes.
  if (text != m_description->m_text) m_description->SetText(text);
}

}  // namespace Vellgrove
