#include "SUIToolTip.h"

#include "SEngineException.h"
#include "TScopedLock.h"

#include "Platform/MMSystem.h"

#include <boost/make_shared.hpp>

namespace KorvexEngine {
namespace UI {

namespace {

const float kFadeMilliseconds = 500.0f;
const int kFadeIn = 1;
const int kFadeOut = 0;
const int kFadeFinished = 2;
const int kPlayOnce = 2;
const int kModulate = 4;

// Plays the transition once from now on, in the given direction.
template <typename Transition>
void Restart(Transition& transition, int mode) {
  transition.Mode = mode;
  transition.State = kPlayOnce;
  transition.StartTime = transition.CurrentTime = transition.PreviousTime = timeGetTime();
}

}  // namespace

SUIToolTip::SUIToolTip()
    : m_label(boost::make_shared<SUILabel>()), m_shown(false), m_placement(1), m_offsetX(0.1f), m_offsetY(0.1f),
      m_fadeMode(0), m_fixedWidth(true) {}

SUIToolTip::~SUIToolTip() = default;

bool SUIToolTip::HitTest(float x, float y) { return m_label->HitTest(x, y); }

void SUIToolTip::Create(float cellWidth, float cellHeight, float spacing, unsigned int maxCharacters,
                        const std::string& textureName, float glyphColumns, float glyphRows, float uOffset,
                        float vOffset, float uScale, float vScale) {
  m_label->m_viewport = m_viewport;
  m_label->Create(cellWidth, cellHeight, spacing, maxCharacters, textureName, glyphColumns, glyphRows, uOffset,
                  vOffset, uScale, vScale);
  SetFadeMode(m_fadeMode);
}

void SUIToolTip::SetFadeMode(int mode) {
  TScopedLock<SLockGuard> hold(m_lock);
  if (mode == 0) {
    m_fadeMode = mode;
    m_spriteTransition.reset();
    m_fontTransition.reset();
    return;
  }
  if (!m_label->m_background) throw SEngineException("a fading tooltip needs a background sprite");
  m_fadeMode = mode;
  m_spriteTransition = boost::make_shared<SSpriteTransition>(kFadeMilliseconds);
  m_spriteTransition->Sprite = m_label->m_background;
  m_spriteTransition->Mode = kFadeFinished;
  m_fontTransition = boost::make_shared<STextureFontTransition>(kFadeMilliseconds);
  m_fontTransition->Font = m_label->GetFont();
  m_fontTransition->Mode = kFadeFinished;
  // Vertex alpha fades the texture only when it modulates it.
  for (SMesh* mesh : {static_cast<SMesh*>(m_label->m_background.get()), static_cast<SMesh*>(m_label->GetFont().get())}) {
    mesh->Material.AlphaOp = kModulate;
    mesh->Material.AlphaBlend = 1;
  }
}

void SUIToolTip::StartFade(int mode) {
  if (!Fading()) return;
  Restart(*m_spriteTransition, mode);
  Restart(*m_fontTransition, mode);
}

void SUIToolTip::Show() {
  TScopedLock<SLockGuard> hold(m_lock);
  if (m_shown) return;
  StartFade(kFadeIn);
  m_shown = true;
}

void SUIToolTip::Hide() {
  TScopedLock<SLockGuard> hold(m_lock);
  if (!m_shown) return;
  StartFade(kFadeOut);
  m_shown = false;
}

void SUIToolTip::Place(float x, float y, const std::wstring& text) {
  TScopedLock<SLockGuard> hold(m_lock);
  m_label->m_x = x;
  m_label->m_y = y;
  m_label->SetText(text);
}

void SUIToolTip::DoRender(float dx, float dy) {
  TScopedLock<SLockGuard> hold(m_lock);
  // A fading tooltip keeps drawing after Hide until it has faded out.
  if (m_fadeMode != 1 && !m_shown) return;
  if (Fading()) {
    m_spriteTransition->Update();
    m_fontTransition->Update();
  }
  if (m_label->GetFont()->Color[0] == 0) return;
  m_label->m_fixedWidth = m_fixedWidth;
  if (!m_label->m_hidden) m_label->DoRender(dx, dy);
}

}  // namespace UI
}  // namespace KorvexEngine
