#pragma once

#include "IUIEvent.h"
#include "SSprite.h"
#include "SUIControl.h"

#include <boost/shared_ptr.hpp>

#include <atomic>

namespace KorvexEngine {
namespace UI {

// A horizontal slider with a value from 0 to 1: a click on the bar moves the thumb there.
class SUITrackBar : public SUIControl {
 public:
  SUITrackBar();
  ~SUITrackBar() override;

  bool HitTest(float x, float y) override;
  void OnMouseOver() override {}
  void OnMouseDown(float x, float y) override;
  void OnMouseOut() override {}
  void DoRender(float dx, float dy) override;

  // value: from 0 to 1 inclusive.
  void SetValue(float value);

  boost::shared_ptr<IUIEvent> m_changeCallback;
  float m_x;
  float m_y;
  float m_width;
  float m_height;
  // As fractions of the bar's width and height.
  float m_thumbWidth;
  float m_thumbHeight;
  boost::shared_ptr<SSprite> m_trackSprite;
  boost::shared_ptr<SSprite> m_thumbSprite;
  // Written on the input thread and read on the main thread.
  std::atomic<float> m_value;
};

}  // namespace UI
}  // namespace KorvexEngine
