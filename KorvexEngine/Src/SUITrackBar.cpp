#include "SUITrackBar.h"

#include "UIDrawing.h"

#include <algorithm>
#include <cassert>

namespace KorvexEngine {
namespace UI {

SUITrackBar::SUITrackBar()
    : m_x(0.0f), m_y(0.0f), m_width(0.0f), m_height(0.0f), m_thumbWidth(0.1f), m_thumbHeight(1.0f), m_value(0.0f) {}

SUITrackBar::~SUITrackBar() = default;

bool SUITrackBar::HitTest(float x, float y) { return InRectangle(m_x, m_y, m_width, m_height, x, y); }

void SUITrackBar::SetValue(float value) {
  assert(value >= 0.0f && value <= 1.0f && "value >= 0.0f && value <= 1.0f");
  m_value = value;
  if (m_changeCallback) m_changeCallback->Invoke();
}

// Rounding can put a click on the right edge a little past 1; a bar with no width has no values.
void SUITrackBar::OnMouseDown(float x, float) {
  if (!(m_width > 0.0f)) return;
  SetValue(std::min(std::max((x - m_x) / m_width, 0.0f), 1.0f));
}

void SUITrackBar::DoRender(float dx, float dy) {
  if (m_trackSprite) {
    PlaceSprite(*m_trackSprite, dx + m_x, dy + m_y, m_width, m_height);
    RenderOnScreen(*m_trackSprite);
  }
  const float thumbWidth = m_thumbWidth * m_width;
  const float thumbHeight = m_thumbHeight * m_height;
  // The thumb stays within the bar and sits on its bottom edge.
  PlaceSprite(*m_thumbSprite, dx + m_x + m_value * (m_width - thumbWidth), dy + m_y + m_height - thumbHeight,
              thumbWidth, thumbHeight);
  RenderOnScreen(*m_thumbSprite);
}

}  // namespace UI
}  // namespace KorvexEngine
