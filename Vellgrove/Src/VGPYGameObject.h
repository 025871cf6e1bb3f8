#pragma once

#include "IDeserialize.h"
#include "ISerialize.h"
#include "SSprite.h"
#include "SVector3.h"
#include "VGTile.h"

#include <Python.h>
#include <boost/shared_ptr.hpp>

#include <list>
#include <string>
#include <unordered_map>
#include <vector>

namespace Vellgrove {

class VGPythonDictionary;
class VGPythonInterpreter;
class VGPythonObject;

// A game object: a script instance that decides what the object is and does, in a native shell
// that keeps what the engine needs every frame: the tile with its body and box, the visual states
// and their sprites, the drawing order and, for a group, its children. Native values and script
// attributes are exchanged by name ("x", "vel_x", "w", "state", "is_enable", ...).
class VGPYGameObject : public SCore::ISerialize, public SCore::IDeserialize {
 public:
  using SpriteList = std::list<boost::shared_ptr<KorvexEngine::SSprite>>;

  VGPYGameObject();
  ~VGPYGameObject() override;
  VGPYGameObject(const VGPYGameObject&) = delete;
  VGPYGameObject& operator=(const VGPYGameObject&) = delete;

  // The attribute names every object shares, made once when the factory starts and released by the
  // factory's exit step while the interpreter still runs.
  static void InitAttributeNames();
  static void ReleaseAttributeNames();

  // Game objects are never saved.
  void DoSerialize(SCore::SSerializator& serializator) override;
  // Not supported: raises "inconclusive".
  void DoDeserialize(SCore::SDeserializator& reader, unsigned int index) override;
  // The object file, from its "GameObject" element.
  void DoDeserialize(SCore::SDeserializator& reader) override;

  void SetPythonObject(const boost::shared_ptr<VGPythonObject>& script);
  const boost::shared_ptr<VGPythonObject>& GetPythonObject() const { return m_script; }
  std::string GetName() const { return m_name; }
  void SetName(const std::string& name);

  void SetPosition(const SCore::SVector3& position);
  SCore::SVector3 GetPosition() const;
  void SetVelocity(const SCore::SVector3& velocity);
  void SetHalfSize(const SCore::SVector3& halfSize);
  SCore::SVector3 GetHalfSize() const;
  void SetMass(float mass);
  void PushPosition();
  void PushVelocity();
  void PushMass();
  void UpdateHalfSize();

  unsigned int GetState();
  bool IsEnable();
  void Enable();
  void Disable();
  bool GetGravityAction();
  void SetGravityAction(bool gravityAction);
  unsigned int GetGameObjectType();
  bool IsStatic();
  bool IsActor();
  bool IsPortal();
  bool IsMonstr();
  bool IsLife();

  // One tick when the script's "can_update" allows it.
  void Update(VGPythonDictionary& world, float dt);
  // The tick itself: pushes, "do_update", the script's values into the tile, the step, pushes
  // again; then the children, unasked.
  void UpdateProcess(float dt, VGPythonDictionary& world);
  void RefreshCache();
  // The force the script accumulated, taken once.
  SCore::SVector3 GetForceAcc();
  void ResetForceAcc();

  void AddStateSprite(const boost::shared_ptr<KorvexEngine::SSprite>& sprite, const std::string& state);
  // Lets the script place, clip, flip and show the current state's sprites; the scroll values are
  // script floats made by the caller.
  void UpdateSpritesState(PyObject* scrollX, PyObject* scrollY);
  void StopStateAnimations();
  void PlayStateAnimations();
  void Render();
  void RenderState(const std::string& state);
  // The parent's box becomes the box around all its children.
  void AddGroupObject(const boost::shared_ptr<VGPYGameObject>& child);

  void DesializeStates(SCore::SDeserializator& reader);
  void CheckState(const std::string& name);
  void DeserializeAttributes(SCore::SDeserializator& reader);
  void SetAttributeValue(const std::string& value, const std::string& type, const std::string& name);

  const SpriteList* FindState(const std::string& name) const;
  const std::list<boost::shared_ptr<VGPYGameObject>>& GetChildren() const { return m_children; }

  boost::shared_ptr<VGTile> m_tile;
  unsigned int m_id;
  unsigned int m_renderOrder = 0;
  float m_animOffset = 0.0f;

 private:
  bool FlagOf(int attribute, const char* operation);
  unsigned int UnsignedOf(int attribute, const char* operation);
  void SetFlag(int attribute, bool value, const char* operation);
  float ReadFloat(PyObject* name);
  bool ReadFlag(PyObject* name);
  unsigned int ReadUnsigned(PyObject* name);
  void WriteFloat(PyObject* name, float value);
  void ApplySpriteRecord(PyObject* record, KorvexEngine::SSprite& sprite);
  void SetAnimationRunState(int state);
  VGPythonObject& Script() const;

  boost::shared_ptr<VGPythonObject> m_script;
  boost::shared_ptr<VGPythonInterpreter> m_interpreter;
  std::unordered_map<std::string, SpriteList> m_states;
  std::string m_name;
  std::list<boost::shared_ptr<VGPYGameObject>> m_children;
};

}  // namespace Vellgrove
