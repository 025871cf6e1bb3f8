#pragma once

#include "IUIEvent.h"

namespace KorvexEngine {
namespace UI {

// Binds a member function of T to an object that it does not own; the object must outlive it.
template <typename T>
class SUIEvent : public IUIEvent {
 public:
  typedef void (T::*Handler)();
  SUIEvent(Handler handler, T* object) : m_handler(handler), m_object(object) {}
  void Invoke() override { (m_object->*m_handler)(); }

 private:
  Handler m_handler;
  T* m_object;
};

}  // namespace UI
}  // namespace KorvexEngine
