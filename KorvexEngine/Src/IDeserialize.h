#pragma once

namespace SCore {

class SDeserializator;

class IDeserialize {
 public:
  virtual ~IDeserialize() = default;
  // Reads the object from the child element at that position of the reader's current element.
  virtual void DoDeserialize(SDeserializator& deserializator, unsigned int index) = 0;
  // Reads the object from the child element that bears the object's own element name.
  virtual void DoDeserialize(SDeserializator& deserializator) = 0;
};

}  // namespace SCore
