#include "SUIButton.h"

#include "UIDrawing.h"

namespace KorvexEngine {
namespace UI {

namespace {

const int kEnter = 13;

}  // namespace

SUIButton::SUIButton()
    : m_x(0.0f), m_y(0.0f), m_width(0.0f), m_height(0.0f), m_pressed(false), m_hoverNotified(false),
      m_defaultButton(false) {}

SUIButton::~SUIButton() = default;

bool SUIButton::HitTest(float x, float y) { return InRectangle(m_x, m_y, m_width, m_height, x, y); }

void SUIButton::OnMouseDown(float, float) { m_pressed = true; }

void SUIButton::OnMouseOver() {
  if (m_pressed.exchange(false) && m_clickCallback) m_clickCallback->Invoke();
  if (!m_hoverNotified && m_hoverCallback) {
    m_hoverCallback->Invoke();
    m_hoverNotified = true;
  }
  if (HasToolTip()) PlaceToolTip();
}

void SUIButton::PlaceToolTip() {
  const float y = m_toolTip->m_placement == 1 ? m_y + m_height + m_toolTip->m_offsetY : m_y - m_toolTip->m_offsetY;
  m_toolTip->Place(m_x + m_toolTip->m_offsetX, y, m_toolTipText);
}

void SUIButton::OnMouseOut() { m_hoverNotified = false; }

void SUIButton::OnKeyUp(int key) {
  if (key != kEnter || !m_defaultButton) return;
  OnMouseDown(0.0f, 0.0f);
  OnMouseOver();
}

SSprite* SUIButton::SpriteOfState() const {
  if (!m_enabled) return m_disabledSprite.get();
  if (m_state == kOver) return m_overSprite.get();
  if (m_state == kDown) return m_downSprite.get();
  return m_normalSprite.get();
}

void SUIButton::DoRender(float dx, float dy) {
  for (SSprite* sprite : {m_normalSprite.get(), m_overSprite.get(), m_downSprite.get(), m_disabledSprite.get()})
    if (sprite != nullptr) PlaceSprite(*sprite, dx + m_x, dy + m_y, m_width, m_height);
  if (SSprite* sprite = SpriteOfState()) RenderOnScreen(*sprite);
  // A pressed button neither tells its tooltip nor draws it.
  if (m_state == kDown || !HasToolTip()) return;
  if (m_state == kOver)
    m_toolTip->Show();
  else
    m_toolTip->Hide();
  m_toolTip->Render(dx, dy);
}

}  // namespace UI
}  // namespace KorvexEngine
