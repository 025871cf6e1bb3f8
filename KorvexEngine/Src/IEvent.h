#pragma once

namespace SCore {

// A callback: Invoke calls one bound member function on one bound object.
class IEvent {
 public:
  virtual ~IEvent() = default;
  virtual void Invoke() = 0;
};

}  // namespace SCore
