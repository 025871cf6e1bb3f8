#pragma once

#include "SUIInputEvents.h"

#include <boost/shared_ptr.hpp>

#include <atomic>
#include <string>

namespace SCore {
class SViewport;
}

namespace KorvexEngine {
namespace UI {

// The base of every UI element. The input pump calls the six Input entry points on the UI input
// thread; a control turns client pixels into fractions of the render target, hit-tests them and
// reacts. Positions and sizes are fractions of the render target.
class SUIControl {
 public:
  enum State { kNormal = 0, kOver = 1, kDown = 2 };

  SUIControl();
  virtual ~SUIControl();

  virtual bool HitTest(float x, float y) = 0;
  virtual void OnMouseOver() = 0;
  virtual void OnLostFocus() {}
  virtual void OnMouseDown(float x, float y) = 0;
  virtual void OnMouseOut() = 0;
  virtual void DoRender(float dx, float dy) = 0;
  virtual void OnKeyDown(int /*key*/) {}
  virtual void OnKeyUp(int /*key*/) {}
  virtual void OnChar(int /*character*/) {}

  virtual void InputChar(const SUIInputCharEvent& event);
  virtual void InputKeyUp(const SUIInputKeyUpEvent& event);
  virtual void InputKeyDown(const SUIInputKeyDownEvent& event);
  virtual void InputMouseUp(const SUIInputMouseUpEvent& event);
  virtual void InputMouseMove(const SUIInputMouseMoveEvent& event);
  virtual void InputMouseDown(const SUIInputMouseDownEvent& event);

  // Renders the control unless it is hidden.
  void Render(float dx, float dy);

  // Written by the input thread, read by the main thread to choose the control's look.
  std::atomic<int> m_state;
  std::string m_name;
  // Set by the owner before the control is used: the render target's size comes from it.
  boost::shared_ptr<SCore::SViewport> m_viewport;
  // Click handlers on the input thread hide and disable controls that the main thread draws.
  std::atomic<bool> m_hidden;
  std::atomic<bool> m_enabled;

 protected:
  // Client pixels as fractions of the render target. The pixels count as unsigned, so a point
  // left of or above the client area becomes a very large fraction and misses every control.
  float FractionX(int x) const;
  float FractionY(int y) const;

 private:
  void HoverAt(int x, int y);
};

}  // namespace UI
}  // namespace KorvexEngine
