#pragma once

#include "IUIEvent.h"
#include "SSprite.h"
#include "SUIControl.h"
#include "SUIToolTip.h"

#include <boost/shared_ptr.hpp>

#include <atomic>
#include <string>

namespace KorvexEngine {
namespace UI {

// A button drawn by its state. The click fires on the first mouse-move or mouse-up over the button
// after a mouse-down on it, once per press.
class SUIButton : public SUIControl {
 public:
  SUIButton();
  ~SUIButton() override;

  bool HitTest(float x, float y) override;
  void OnMouseOver() override;
  void OnMouseDown(float x, float y) override;
  void OnMouseOut() override;
  void DoRender(float dx, float dy) override;
  // Enter clicks a default button at once.
  void OnKeyUp(int key) override;

  float m_x;
  float m_y;
  float m_width;
  float m_height;
  boost::shared_ptr<SSprite> m_normalSprite;
  boost::shared_ptr<SSprite> m_overSprite;
  boost::shared_ptr<SSprite> m_downSprite;
  // Needed only while the button is disabled.
  boost::shared_ptr<SSprite> m_disabledSprite;
  // Written on the input thread and read on the main thread.
  std::atomic<bool> m_pressed;
  std::atomic<bool> m_hoverNotified;
  boost::shared_ptr<IUIEvent> m_clickCallback;
  boost::shared_ptr<IUIEvent> m_hoverCallback;
  boost::shared_ptr<SUIToolTip> m_toolTip;
  std::wstring m_toolTipText;
  bool m_defaultButton;

 private:
  bool HasToolTip() const { return m_toolTip && !m_toolTipText.empty(); }
  void PlaceToolTip();
  SSprite* SpriteOfState() const;
};

}  // namespace UI
}  // namespace KorvexEngine
