#pragma once

namespace KorvexEngine {
namespace UI {

// A UI or thread callback: Invoke calls one bound member function on one bound object.
class IUIEvent {
 public:
  virtual ~IUIEvent() = default;
  virtual void Invoke() = 0;
};

}  // namespace UI
}  // namespace KorvexEngine
