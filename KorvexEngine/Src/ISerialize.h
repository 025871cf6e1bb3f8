#pragma once

namespace SCore {

class SSerializator;

// A persistent class derives from ISerialize first and IDeserialize second. DoSerialize opens a
// child element named after the class, writes its values and owned objects, and closes it.
class ISerialize {
 public:
  virtual ~ISerialize() = default;
  virtual void DoSerialize(SSerializator& serializator) = 0;
};

}  // namespace SCore
