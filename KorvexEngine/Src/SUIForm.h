#pragma once

#include "IUIEvent.h"
#include "SSprite.h"
#include "SUIControl.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace KorvexEngine {
namespace UI {

// A named container of controls, drawn over an optional background. Its children are placed
// relative to the form's own corner; the owner sets the rectangle before the form is used.
class SUIForm : public SUIControl {
 public:
  explicit SUIForm(const std::string& formName);
  ~SUIForm() override;

  bool HitTest(float x, float y) override;
  void OnMouseOver() override {}
  void OnLostFocus() override {}
  void OnMouseDown(float, float) override {}
  void OnMouseOut() override {}
  void DoRender(float dx, float dy) override;
  // Appends a child, drawn after the earlier ones; an empty pointer is refused.
  void AddControl(const boost::shared_ptr<SUIControl>& control);

  // The form does not test whether the cursor is inside its own rectangle.
  void InputChar(const SUIInputCharEvent& event) override;
  void InputKeyUp(const SUIInputKeyUpEvent& event) override;
  void InputKeyDown(const SUIInputKeyDownEvent& event) override;
  void InputMouseUp(const SUIInputMouseUpEvent& event) override;
  void InputMouseMove(const SUIInputMouseMoveEvent& event) override;
  void InputMouseDown(const SUIInputMouseDownEvent& event) override;

  float m_x;
  float m_y;
  float m_width;
  float m_height;
  boost::shared_ptr<SSprite> m_background;
  std::vector<boost::shared_ptr<SUIControl>> m_children;
  std::string m_formName;
  boost::shared_ptr<IUIEvent> m_renderCallback;

 private:
  // The form's corner in whole pixels, truncated toward zero.
  int OriginX() const;
  int OriginY() const;

  // Calls the reaction on every enabled child (keys reach the children's reactions, not their
  // entry points).
  template <typename Reaction>
  void ToEnabledChildren(Reaction reaction);
  // Sends a copy of the record, shifted to the form's corner, to the children's same entry point.
  template <typename Record>
  void ForwardMouse(const Record& event, void (SUIControl::*entry)(const Record&), bool enabledOnly);
};

}  // namespace UI
}  // namespace KorvexEngine
