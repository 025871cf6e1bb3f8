#pragma once

#include "VGPythonObject.h"
#include "VGPythonResult.h"

#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <string>

namespace SCore {
class SDeserializator;
}

namespace Vellgrove {

class VGPYGameObject;
class VGPythonInterpreter;

// The process-wide factory of everything with a script behind it: the interpreter with the module
// "vgpy_factory", its functions "create", "getGameObjectStateStr" and "create_sprite_info", and the
// table from game-object name to object file. Any thread may use it; each operation holds the
// interpreter lock for its whole exchange with the module, so that no thread refills a shared
// argument tuple between another's fill and call.
class VGPYFactory {
 public:
  // Starts the factory once; a failed start leaves it unstarted, and the next use tries again on
  // the same interpreter.
  static void Init();
  static boost::shared_ptr<VGPythonInterpreter> GetInterpreter();

  // The empty name table with its start size; emptied again by each object list.
  static void InitNameTable();
  static void DestroyNameTable();
  // Registers one object file under its "Name"; a name registered twice raises and the first stays.
  static void AddGameObjectInfo(const std::wstring& path);
  // The file registered under the name; raises "Game Object:<name> not found in game object factory".
  static std::wstring FindGameObjectFile(const std::string& name);
  // Reads the object file's "GameObjectType" and makes a script instance of that type; the reader
  // is back at the document root, for the object to read itself from.
  static boost::shared_ptr<VGPythonObject> CreateScriptOfGameObject(SCore::SDeserializator& reader);

  // A new game object from the file registered under the name, with a script instance of its own.
  static boost::shared_ptr<VGPYGameObject> Create(const std::string& name);
  // A new game object from the file; a failure while reading it names the file.
  static boost::shared_ptr<VGPYGameObject> LoadGameObject(const std::wstring& path);

  static boost::shared_ptr<VGPythonObject> CreateByTypeName(const std::string& typeName);
  static boost::shared_ptr<VGPythonObject> CreateDispatcher();
  static std::string GetGameObjectStateStr(size_t state);
  static VGPythonResult CreateSpriteInfo(const std::string& name, float x, float y, float width, float height,
                                         float textureLeft, float textureTop, float textureRight,
                                         float textureBottom, bool visible, bool flipHorizontal, bool flipVertical,
                                         bool animationInverse, float scaleX, float scaleY);

  // The program's exit step: the factory's globals go in the reverse order of their construction,
  // so that the interpreter may be finalised after them.
  static void ReleaseGlobals();
};

}  // namespace Vellgrove
