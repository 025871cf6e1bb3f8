#include "SUICheckBox.h"

#include "UIDrawing.h"

namespace KorvexEngine {
namespace UI {

SUICheckBox::SUICheckBox()
    : m_x(0.0f), m_y(0.0f), m_width(0.0f), m_height(0.0f), m_pressed(false), m_hoverNotified(false),
      m_checked(false) {}

SUICheckBox::~SUICheckBox() = default;

bool SUICheckBox::HitTest(float x, float y) { return InRectangle(m_x, m_y, m_width, m_height, x, y); }

void SUICheckBox::OnMouseDown(float, float) {
  m_pressed = true;
  m_checked = !m_checked;
}

void SUICheckBox::OnMouseOver() {
  if (m_pressed.exchange(false) && m_changeCallback) m_changeCallback->Invoke();
  if (!m_hoverNotified && m_hoverCallback) {
    m_hoverCallback->Invoke();
    m_hoverNotified = true;
  }
}

void SUICheckBox::OnMouseOut() { m_hoverNotified = false; }

void SUICheckBox::DoRender(float dx, float dy) {
  for (const auto& sprite : {m_uncheckedSprite, m_uncheckedOverSprite, m_checkedSprite, m_checkedOverSprite})
    PlaceSprite(*sprite, dx + m_x, dy + m_y, m_width, m_height);
  const bool over = m_state != kNormal;
  if (m_checked)
    RenderOnScreen(over ? *m_checkedOverSprite : *m_checkedSprite);
  else
    RenderOnScreen(over ? *m_uncheckedOverSprite : *m_uncheckedSprite);
}

}  // namespace UI
}  // namespace KorvexEngine
