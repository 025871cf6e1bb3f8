#include "SUIControl.h"

#include "SRenderDevice.h"
#include "SViewport.h"

#include <cstdint>

namespace KorvexEngine {
namespace UI {

SUIControl::SUIControl() : m_state(kNormal), m_hidden(false), m_enabled(true) {}

SUIControl::~SUIControl() = default;

float SUIControl::FractionX(int x) const {
  return static_cast<float>(static_cast<std::uint32_t>(x)) / static_cast<float>(m_viewport->GetRenderDevice()->GetWidth());
}

float SUIControl::FractionY(int y) const {
  return static_cast<float>(static_cast<std::uint32_t>(y)) /
         static_cast<float>(m_viewport->GetRenderDevice()->GetHeight());
}

void SUIControl::InputMouseDown(const SUIInputMouseDownEvent& event) {
  const float x = FractionX(event.x);
  const float y = FractionY(event.y);
  if (HitTest(x, y)) {
    if (!m_enabled) return;
    m_state = kDown;
    OnMouseDown(x, y);
  } else {
    m_state = kNormal;
    OnMouseOut();
  }
}

void SUIControl::HoverAt(int pixelX, int pixelY) {
  const float x = FractionX(pixelX);
  const float y = FractionY(pixelY);
  if (HitTest(x, y)) {
    m_state = kOver;
    OnMouseOver();
  } else {
    m_state = kNormal;
    OnMouseOut();
  }
}

void SUIControl::InputMouseUp(const SUIInputMouseUpEvent& event) { HoverAt(event.x, event.y); }

void SUIControl::InputMouseMove(const SUIInputMouseMoveEvent& event) { HoverAt(event.x, event.y); }

void SUIControl::InputKeyDown(const SUIInputKeyDownEvent& event) {
  if (m_enabled) OnKeyDown(event.key);
}

void SUIControl::InputKeyUp(const SUIInputKeyUpEvent& event) {
  if (m_enabled) OnKeyUp(event.key);
}

void SUIControl::InputChar(const SUIInputCharEvent& event) {
  if (m_enabled) OnChar(event.character);
}

void SUIControl::Render(float dx, float dy) {
  if (!m_hidden) DoRender(dx, dy);
}

}  // namespace UI
}  // namespace KorvexEngine
