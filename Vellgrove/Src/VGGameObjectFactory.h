#pragma once

#include <string>

namespace Vellgrove {

// The object list: "world" with the folder of the object files in "directory" and one child per
// file ("file"), whatever the child's element name, read with the engine's XML reader.
class VGGameObjectFactory {
 public:
  // Starts the factory's name table afresh and registers every file of the list, in order.
  static void LoadGameObjects(const std::wstring& listPath);
};

}  // namespace Vellgrove
