#include "VGIntro.h"

#include "FadeRestart.h"
#include "SEngineException.h"
#include "SFadeCurve.h"
#include "STextureFiltration.h"
#include "SUIEvent.h"
#include "SXMLDeserializator.h"
#include "VGSkipForm.h"
#include "VGSpriteCreator.h"
#include "WideToNarrow.h"

#include "smath_matrix.h"
#include "srethrow.h"

#include "Platform/MMSystem.h"

#include <boost/make_shared.hpp>

#include <string>

namespace Vellgrove {

using KorvexEngine::FadedIn;
using KorvexEngine::FadedOut;
using KorvexEngine::FadingIn;
using KorvexEngine::FadingOut;
using KorvexEngine::SSprite;
using KorvexEngine::SSpriteTransition;

namespace {

const char* const kSource = "..\\Src\\VGIntro";
const wchar_t* const kIntroPath = L"intro\\intro.xml";
const float kFadeMilliseconds = 2000.0f;
const DWORD kItemDelay = 2000;   // after the threshold, while the page picture fades in
const DWORD kPageGap = 4000;     // added to the threshold after a page's last item
const int kModulate = 4;

// A world-space sprite whose vertex alpha the fades multiply into its texture's alpha.
boost::shared_ptr<SSprite> FadingSprite(bool alphaBlend) {
  const boost::shared_ptr<SSprite> sprite = VGSpriteCreator::CreateSprite(1);
  SCore::SMaterial& material = sprite->Material;
  material.AlphaBlend = alphaBlend ? 1 : 0;
  material.ZWrite = 0;
  material.AlphaOp = kModulate;
  material.Filtration1.reset(new SCore::STextureFiltration);
  material.Filtration1->IsBilinear = false;
  material.Filtration1->IsTrilinear = false;
  sprite->CoordAligment = 1;
  return sprite;
}

boost::shared_ptr<SCore::STexture> TextureNamed(const std::string& name) {
  return VGSpriteCreator::GetRenderDevice()->GetTextureManager()->GetTexture(name);
}

std::string IntroFileName() { return WideToNarrow(kIntroPath); }

}  // namespace

VGIntro::VGIntro(const boost::shared_ptr<KorvexEngine::SInputMessager>& inputMessager)
    : m_inputMessager(inputMessager) {
  KORVEX_TRY
    CreateSprites();
    CreateSkipForm();
    m_finished.Set(false);
    Load();
  KORVEX_RETHROW("VGIntro::VGIntro()", kSource)
}

VGIntro::~VGIntro() {
  // The input thread keeps the form; without its owner its button must not answer any more.
  if (m_skipForm) m_skipForm->m_enabled = false;
}

void VGIntro::CreateSprites() {
  m_pageSprite = FadingSprite(true);
  m_pageSprite->SetPosition(0.0f, 0.0f);
  m_pageSprite->SetSize(0.99f, 0.99f);
  m_pageSprite->TexCoords = {0.0f, 0.0f, 1.0f, 0.75f};
  m_itemSprite = FadingSprite(false);
  m_pageFade.reset(new SSpriteTransition(kFadeMilliseconds));
  m_itemFade.reset(new SSpriteTransition(kFadeMilliseconds));
}

void VGIntro::CreateSkipForm() {
  m_skipForm = Vellgrove::CreateSkipForm(boost::make_shared<KorvexEngine::UI::SUIEvent<VGIntro>>(&VGIntro::OnSkip, this));
  if (m_inputMessager) m_inputMessager->AddListener(m_skipForm);
}

void VGIntro::Load() {
  KORVEX_TRY
    SCore::SXMLDeserializator reader(kIntroPath);
    reader.DoBeginChild("Intro");
    std::vector<VGIntroPage> pages;
    m_pages.swap(pages);
    const unsigned int count = reader.DoGetChildCount();
    for (unsigned int i = 0; i < count; ++i) ReadPage(reader, i);
    reader.DoEndChild();
    CheckPages();
  KORVEX_RETHROW("VGIntro::Load()", kSource)
}

void VGIntro::ReadPage(SCore::SDeserializator& reader, unsigned int index) {
  reader.DoBeginChild(index);
  VGIntroPage page;
  reader.DoDeserialize("Texture", page.Texture);
  const unsigned int count = reader.DoGetChildCount();
  for (unsigned int j = 0; j < count; ++j) {
    reader.DoBeginChild(j);
    DWORD time = 0;
    reader.DoDeserialize("Time", time);
    const boost::shared_ptr<SSprite> sprite = VGSpriteCreator::CreateSprite(0);
    sprite->DoDeserialize(reader);
    sprite->Material.AlphaOp = kModulate;
    page.AddItem(sprite, time);
    reader.DoEndChild();
  }
  m_pages.push_back(page);
  reader.DoEndChild();
}

// The schedule always takes the current page's current item, so every page needs one; and a
// picture missing from the texture list is better found at start-up than in the middle of the story.
void VGIntro::CheckPages() const {
  if (m_pages.empty()) throw KorvexEngine::SEngineException((IntroFileName() + " has no page").c_str());
  for (size_t i = 0; i < m_pages.size(); ++i) {
    const VGIntroPage& page = m_pages[i];
    const std::string where = IntroFileName() + ", page " + std::to_string(i + 1);
    if (page.items.empty()) throw KorvexEngine::SEngineException((where + " has no item").c_str());
    if (!VGSpriteCreator::GetRenderDevice()->GetTextureManager()->ContainsTexture(page.Texture)) {
      throw KorvexEngine::SEngineException((where + ": no texture named [" + page.Texture + "]").c_str());
    }
  }
}

void VGIntro::Start() {
  KORVEX_TRY
    m_finished.Set(false);
    m_skipForm->m_enabled = true;
    m_itemFade->Mode = FadedOut;
    m_currentPage = 0;
    m_itemIndex = 0;
    m_pageFade->Sprite = m_pageSprite;
    m_pageFade->Mode = FadedOut;
    ShowPagePicture();
    m_restart = true;
  KORVEX_RETHROW("VGIntro::Start()", kSource)
}

void VGIntro::ShowPagePicture() { m_pageSprite->Material.Texture1 = TextureNamed(m_pages[m_currentPage].Texture); }

void VGIntro::Update() {
  KORVEX_TRY
    if (m_restart) {
      RestartFade(*m_pageFade, FadingIn);
      m_startTime = timeGetTime();
      m_restart = false;
      m_nextTime = 0;
    }
    if (m_currentPage < m_pages.size()) ScheduleItems(timeGetTime() - m_startTime);
    m_pageFade->Update();
    m_itemFade->Update();
  KORVEX_RETHROW("VGIntro::Update()", kSource)
}

void VGIntro::ScheduleItems(DWORD elapsed) {
  if (elapsed > m_nextTime && m_pageFade->Mode == FadedOut) {
    ShowPagePicture();
    RestartFade(*m_pageFade, FadingIn);
  }
  if (elapsed <= m_nextTime + kItemDelay) return;
  if (m_itemFade->Mode == FadedOut) {
    const VGIntroItem& item = m_pages[m_currentPage].items[m_itemIndex];
    m_itemSprite = item.sprite;
    m_itemFade->Sprite = m_itemSprite;
    RestartFade(*m_itemFade, FadingIn);
    m_nextTime += item.Time;
  }
  if (m_itemFade->Mode == FadedIn) {
    RestartFade(*m_itemFade, FadingOut);
    Advance();
  }
}

void VGIntro::Advance() {
  if (++m_itemIndex < m_pages[m_currentPage].items.size()) return;
  m_itemIndex = 0;
  ++m_currentPage;
  RestartFade(*m_pageFade, FadingOut);
  m_nextTime += kPageGap;
  if (m_currentPage == m_pages.size()) m_finished.Set(true);
}

void VGIntro::Render() {
  KORVEX_TRY
    const SCore::SMatrix identity = SCore::SMatrixIdentity();
    m_pageSprite->Render(&identity);
    m_itemSprite->Render(&identity);
    m_skipForm->Render(0.0f, 0.0f);
  KORVEX_RETHROW("VGIntro::Render()", kSource)
}

void VGIntro::OnSkip() { m_finished.Set(true); }

}  // namespace Vellgrove
