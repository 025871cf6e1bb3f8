#pragma once

#include <Python.h>
#include <boost/shared_ptr.hpp>

#include <string>

namespace Vellgrove {

struct VGContact;
class VGPYGameObject;
class VGPythonDictionary;
class VGPythonObject;

// The world's link to the scripts' say on collisions: the dispatcher instance of the module's
// "create_dispatcher", whose "run" answers whether the world responds to a touching pair and whose
// "sound_fx" names the sound of the contact.
class VGPYGameObjectDispatcher {
 public:
  VGPYGameObjectDispatcher();
  virtual ~VGPYGameObjectDispatcher();
  VGPYGameObjectDispatcher(const VGPYGameObjectDispatcher&) = delete;
  VGPYGameObjectDispatcher& operator=(const VGPYGameObjectDispatcher&) = delete;

  void Init();

  // One touching pair as the world holds it, with the contact the collider found between them.
  // Answers "run"'s verdict and puts "sound_fx" into `sound`.
  bool Dispatch(const VGContact& contact, const boost::shared_ptr<VGPYGameObject>& first,
                const boost::shared_ptr<VGPYGameObject>& second, const boost::shared_ptr<VGPythonDictionary>& world,
                std::string& sound);
  // The same for bare script instances, with the contact point, the penetration depth and the normal
  // (x and y only) as "run" takes them.
  bool Dispatch(float pointX, float pointY, float depth, float normalX, float normalY, VGPythonObject& first,
                VGPythonObject& second, VGPythonDictionary& world, std::string& sound);

  // The dispatcher's script instance, class name "Dispatch".
  const boost::shared_ptr<VGPythonObject>& GetScript() const { return m_script; }

 private:
  boost::shared_ptr<VGPythonObject> m_script;
  PyObject* m_soundName;
};

}  // namespace Vellgrove
