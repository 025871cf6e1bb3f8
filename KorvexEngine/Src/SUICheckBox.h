#pragma once

#include "IUIEvent.h"
#include "SSprite.h"
#include "SUIControl.h"

#include <boost/shared_ptr.hpp>

#include <atomic>

namespace KorvexEngine {
namespace UI {

// A box that toggles at once on a press; its change callback fires on the next mouse-move or
// mouse-up over it. A disabled check box looks the same as an enabled one.
class SUICheckBox : public SUIControl {
 public:
  SUICheckBox();
  ~SUICheckBox() override;

  bool HitTest(float x, float y) override;
  void OnMouseOver() override;
  void OnMouseDown(float x, float y) override;
  void OnMouseOut() override;
  void DoRender(float dx, float dy) override;

  float m_x;
  float m_y;
  float m_width;
  float m_height;
  boost::shared_ptr<SSprite> m_uncheckedSprite;
  boost::shared_ptr<SSprite> m_uncheckedOverSprite;
  boost::shared_ptr<SSprite> m_checkedSprite;
  boost::shared_ptr<SSprite> m_checkedOverSprite;
  // Written on the input thread and read on the main thread.
  std::atomic<bool> m_pressed;
  std::atomic<bool> m_hoverNotified;
  boost::shared_ptr<IUIEvent> m_changeCallback;
  boost::shared_ptr<IUIEvent> m_hoverCallback;
  std::atomic<bool> m_checked;
};

}  // namespace UI
}  // namespace KorvexEngine
