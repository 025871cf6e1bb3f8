#pragma once

#include "SLockGuard.h"
#include "SUIForm.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <unordered_map>
#include <vector>

namespace KorvexEngine {
namespace UI {

// The forms of one screen: a registry by name and a stack of shown forms, the top one active.
// Only the active form receives input, and only while the application itself is shown and enabled;
// every shown form that is not hidden is drawn, bottom first.
class SUIApplication : public SUIControl {
 public:
  SUIApplication();
  ~SUIApplication() override;

  bool HitTest(float, float) override { return true; }
  void OnMouseOver() override {}
  void OnLostFocus() override {}
  void OnMouseDown(float, float) override {}
  void OnMouseOut() override {}
  void DoRender(float dx, float dy) override;

  void InputChar(const SUIInputCharEvent& event) override;
  void InputKeyUp(const SUIInputKeyUpEvent& event) override;
  void InputKeyDown(const SUIInputKeyDownEvent& event) override;
  void InputMouseUp(const SUIInputMouseUpEvent& event) override;
  void InputMouseMove(const SUIInputMouseMoveEvent& event) override;
  void InputMouseDown(const SUIInputMouseDownEvent& event) override;

  void AddForm(const boost::shared_ptr<SUIForm>& form);
  // Raises SEngineException for a name that was never added, leaving the stack as it was.
  void ShowForm(const std::string& formName);
  void HideForm();
  void HideAllForms();
  // Empty when no form is shown.
  std::string GetActiveFormName();

 private:
  // A copy taken under the lock, so that the event is handled outside it; the registry keeps the
  // form alive even if it is hidden meanwhile.
  boost::shared_ptr<SUIForm> ActiveForm();
  boost::shared_ptr<SUIForm> EnabledActiveForm();

  std::unordered_map<std::string, boost::shared_ptr<SUIForm>> m_registry;
  boost::shared_ptr<SUIForm> m_activeForm;
  std::vector<boost::shared_ptr<SUIForm>> m_formStack;
  SLockGuard m_lock;
};

}  // namespace UI
}  // namespace KorvexEngine
