#include "SUIApplication.h"

#include "SEngineException.h"
#include "TScopedLock.h"

namespace KorvexEngine {
namespace UI {

SUIApplication::SUIApplication() = default;

SUIApplication::~SUIApplication() = default;

void SUIApplication::AddForm(const boost::shared_ptr<SUIForm>& form) {
  TScopedLock<SLockGuard> hold(m_lock);
  if (m_registry.count(form->m_formName) != 0)
    throw SEngineException(("form:" + form->m_formName + " already contains in apllication").c_str());
  m_registry.emplace(form->m_formName, form);
}

void SUIApplication::ShowForm(const std::string& formName) {
  TScopedLock<SLockGuard> hold(m_lock);
  const auto found = m_registry.find(formName);
  if (found == m_registry.end())
    throw SEngineException(("form:" + formName + " is not added to the application").c_str());
  m_activeForm = found->second;
  m_activeForm->m_enabled = true;
  m_activeForm->m_hidden = false;
  m_formStack.push_back(m_activeForm);
}

void SUIApplication::HideForm() {
  TScopedLock<SLockGuard> hold(m_lock);
  if (m_formStack.empty()) return;
  const boost::shared_ptr<SUIForm> popped = m_formStack.back();
  m_formStack.pop_back();
  if (m_formStack.empty()) {
    m_activeForm.reset();
    return;
  }
  popped->m_enabled = false;
  popped->m_hidden = true;
  m_activeForm = m_formStack.back();
}

void SUIApplication::HideAllForms() {
  TScopedLock<SLockGuard> hold(m_lock);
  while (!m_formStack.empty()) HideForm();
}

std::string SUIApplication::GetActiveFormName() {
  TScopedLock<SLockGuard> hold(m_lock);
  return m_activeForm ? m_activeForm->m_formName : std::string();
}

void SUIApplication::DoRender(float dx, float dy) {
  TScopedLock<SLockGuard> hold(m_lock);
  for (const auto& form : m_formStack)
    if (!form->m_hidden) form->DoRender(dx, dy);
}

boost::shared_ptr<SUIForm> SUIApplication::ActiveForm() {
  TScopedLock<SLockGuard> hold(m_lock);
  return m_activeForm;
}

// A hidden or disabled application passes on no press, release or key, whatever its forms' flags:
// a screen parks its forms that way, and their invisible buttons must not answer clicks meant for the
// screen in front of them.
boost::shared_ptr<SUIForm> SUIApplication::EnabledActiveForm() {
  if (!m_enabled || m_hidden) return boost::shared_ptr<SUIForm>();
  TScopedLock<SLockGuard> hold(m_lock);
  if (m_activeForm && m_activeForm->m_enabled) return m_activeForm;
  return boost::shared_ptr<SUIForm>();
}

void SUIApplication::InputChar(const SUIInputCharEvent& event) {
  if (const auto form = EnabledActiveForm()) form->InputChar(event);
}

void SUIApplication::InputKeyUp(const SUIInputKeyUpEvent& event) {
  if (const auto form = EnabledActiveForm()) form->InputKeyUp(event);
}

void SUIApplication::InputKeyDown(const SUIInputKeyDownEvent& event) {
  if (const auto form = EnabledActiveForm()) form->InputKeyDown(event);
}

void SUIApplication::InputMouseUp(const SUIInputMouseUpEvent& event) {
  if (const auto form = EnabledActiveForm()) form->InputMouseUp(event);
}

// A disabled application still shows where the pointer is; a hidden one shows nothing to light up.
void SUIApplication::InputMouseMove(const SUIInputMouseMoveEvent& event) {
  if (m_hidden) return;
  if (const auto form = ActiveForm()) form->InputMouseMove(event);
}

void SUIApplication::InputMouseDown(const SUIInputMouseDownEvent& event) {
  if (const auto form = EnabledActiveForm()) form->InputMouseDown(event);
}

}  // namespace UI
}  // namespace KorvexEngine
