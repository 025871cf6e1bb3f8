#include "SUIForm.h"

#include "SEngineException.h"
#include "SRenderDevice.h"
#include "SViewport.h"
#include "UIDrawing.h"
#include "srethrow.h"

#include <cassert>

namespace KorvexEngine {
namespace UI {

SUIForm::SUIForm(const std::string& formName)
    : m_x(0.0f), m_y(0.0f), m_width(0.0f), m_height(0.0f), m_formName(formName) {}

SUIForm::~SUIForm() = default;

bool SUIForm::HitTest(float x, float y) { return InRectangle(m_x, m_y, m_width, m_height, x, y); }

void SUIForm::AddControl(const boost::shared_ptr<SUIControl>& control) {
  KORVEX_TRY
    if (!control) throw SEngineException(("form:" + m_formName + " can't add an empty control").c_str());
    m_children.push_back(control);
  KORVEX_RETHROW("SUIForm::AddControl()", ".\\Src\\SUIForm")
}

void SUIForm::DoRender(float dx, float dy) {
  if (m_background) {
    PlaceSprite(*m_background, m_x + dx, m_y + dy, m_width, m_height);
    RenderOnScreen(*m_background);
  }
  if (m_renderCallback) m_renderCallback->Invoke();
  for (const auto& child : m_children) {
    assert(child && "child");
    if (!child->m_hidden) child->DoRender(dx + m_x, dy + m_y);
  }
}

int SUIForm::OriginX() const { return int(m_x * float(m_viewport->GetRenderDevice()->GetWidth())); }

int SUIForm::OriginY() const { return int(m_y * float(m_viewport->GetRenderDevice()->GetHeight())); }

template <typename Reaction>
void SUIForm::ToEnabledChildren(Reaction reaction) {
  for (const auto& child : m_children) {
    assert(child && "child");
    if (child->m_enabled) reaction(*child);
  }
}

template <typename Record>
void SUIForm::ForwardMouse(const Record& event, void (SUIControl::*entry)(const Record&), bool enabledOnly) {
  Record shifted(event);
  shifted.x -= OriginX();
  shifted.y -= OriginY();
  for (const auto& child : m_children) {
    assert(child && "child");
    if (!enabledOnly || child->m_enabled) ((*child).*entry)(shifted);
  }
}

// A disabled form passes on no key and no press: a screen that has left disables its form, and
// forms that listen to the input pump directly, outside an application, have nothing else to stop
// a click reaching a button whose screen is gone.
void SUIForm::InputChar(const SUIInputCharEvent& event) {
  if (m_enabled) ToEnabledChildren([&event](SUIControl& child) { child.OnChar(event.character); });
}

void SUIForm::InputKeyUp(const SUIInputKeyUpEvent& event) {
  if (m_enabled) ToEnabledChildren([&event](SUIControl& child) { child.OnKeyUp(event.key); });
}

void SUIForm::InputKeyDown(const SUIInputKeyDownEvent& event) {
  if (m_enabled) ToEnabledChildren([&event](SUIControl& child) { child.OnKeyDown(event.key); });
}

void SUIForm::InputMouseUp(const SUIInputMouseUpEvent& event) {
  if (m_enabled) ForwardMouse(event, &SUIControl::InputMouseUp, true);
}

// A disabled child still learns where the cursor is, so that it can show its hover look.
void SUIForm::InputMouseMove(const SUIInputMouseMoveEvent& event) {
  ForwardMouse(event, &SUIControl::InputMouseMove, false);
}

void SUIForm::InputMouseDown(const SUIInputMouseDownEvent& event) {
  if (m_enabled) ForwardMouse(event, &SUIControl::InputMouseDown, true);
}

}  // namespace UI
}  // namespace KorvexEngine
