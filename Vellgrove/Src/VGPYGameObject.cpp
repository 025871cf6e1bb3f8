#include "VGPYGameObject.h"

#include "DrawAsIs.h"
#include "ReleaseScriptValue.h"
#include "SDeserializator.h"
#include "SEngineException.h"
#include "STextureAnimator.h"
#include "VGAutoID.h"
#include "VGGeomAABB.h"
#include "VGPYFactory.h"
#include "VGPythonDictionary.h"
#include "VGPythonList.h"
#include "VGPythonLock.h"
#include "VGPythonObject.h"
#include "VGScriptText.h"
#include "VGSpriteCreator.h"
#include "srethrow.h"

#include "Platform/MMSystem.h"

#include <boost/lexical_cast.hpp>

#include <algorithm>
#include <cstdint>

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGPYGameObject";

enum AttributeName {
  kX, kY, kVelX, kVelY, kMass, kW, kH, kFrcX, kFrcY, kState, kIsEnable, kGravityAction, kGameObjectType,
  kIsStatic, kIsActor, kIsPortal, kIsMonstr,
  kPosX, kPosY, kWidth, kHeight, kTexX, kTexY, kTexW, kTexH, kEnable, kFlipH, kFlipV, kAnimInv, kAnimOffset,
  kAttributeNameCount
};

const char* const kAttributeTexts[kAttributeNameCount] = {
    "x", "y", "vel_x", "vel_y", "mass", "w", "h", "frc_x", "frc_y", "state", "is_enable", "gravity_action",
    "gameObjectType", "is_static", "is_actor", "is_portal", "is_monstr",
    "posx", "posy", "width", "height", "tex_x", "tex_y", "tex_w", "tex_h", "enable", "flip_h", "flip_v",
    "anim_inv", "anim_offset"};

// Plain pointers without a destructor: they must go while the interpreter runs, which the factory's
// exit step sees to, not the exit-time destructors.
PyObject* g_attributeNames[kAttributeNameCount] = {};

PyObject* Name(AttributeName name) {
  PyObject* text = g_attributeNames[name];
  if (text == nullptr) throw KorvexEngine::SEngineException("game object attribute names are not made yet");
  return text;
}

template <typename T>
T ConvertAttribute(const std::string& value, const std::string& type, const std::string& name) {
  try {
    return boost::lexical_cast<T>(value);
  } catch (const boost::bad_lexical_cast&) {
    throw KorvexEngine::SEngineException(
        ("can't convert value[" + value + "] of attribute[" + name + "] to type[" + type + "]").c_str());
  }
}

SCore::SVector3 Plus(const SCore::SVector3& a, const SCore::SVector3& b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }

void SetIfChanged(float& current, float wanted, bool& changed) {
  if (current == wanted) return;
  current = wanted;
  changed = true;
}

}  // namespace

void VGPYGameObject::InitAttributeNames() {
  KORVEX_TRY
    VGPythonLock lock;
    for (int i = 0; i < kAttributeNameCount; ++i) {
      if (g_attributeNames[i] != nullptr) continue;
      g_attributeNames[i] = PyUnicode_InternFromString(kAttributeTexts[i]);
      if (g_attributeNames[i] == nullptr) {
        PyErr_Clear();
        throw KorvexEngine::SEngineException(
            (std::string("can't make the attribute name [") + kAttributeTexts[i] + "]").c_str());
      }
    }
  KORVEX_RETHROW("VGPYGameObject::InitAttributeNames()", kSource)
}

void VGPYGameObject::ReleaseAttributeNames() {
  if (!Py_IsInitialized()) return;
  VGPythonLock lock;
  for (PyObject*& name : g_attributeNames) ReleaseScriptValue(name);
}

VGPYGameObject::VGPYGameObject() : m_tile(new VGTile), m_id(g_autoID.Next()) {
  m_tile->Geometry = CreateGeometry(VGGeomAABB::kType);
  m_tile->Body.reset(new VGBody);
}

VGPYGameObject::~VGPYGameObject() {
  m_children.clear();
  m_states.clear();
  m_script.reset();
}

void VGPYGameObject::DoSerialize(SCore::SSerializator&) {}

void VGPYGameObject::DoDeserialize(SCore::SDeserializator&, unsigned int) {
  throw KorvexEngine::SEngineException("inconclusive");
}

void VGPYGameObject::DoDeserialize(SCore::SDeserializator& reader) {
  KORVEX_TRY
    reader.DoBeginChild("GameObject");
    std::string name;
    std::string typeName;
    bool enabled = false;
    bool gravityAction = false;
    reader.DoDeserialize("Name", name);
    reader.DoDeserialize("IsEnable", enabled);
    reader.DoDeserialize("GravityAction", gravityAction);
    reader.DoDeserialize("GameObjectType", typeName);
    reader.DoDeserialize("RenderOrder", m_renderOrder);
    SetName(name);
    if (enabled) {
      Enable();
    } else {
      Disable();
    }
    SetGravityAction(gravityAction);
    m_tile->Deserialize(reader);
    const VGBody body = *m_tile->Body;
    SetPosition(body.Position);
    SetHalfSize(m_tile->HalfSize);
    SetVelocity(body.Velocity);
    SetMass(body.Mass);
    DesializeStates(reader);
    DeserializeAttributes(reader);
    reader.DoEndChild();
  KORVEX_RETHROW("VGPYGameObject::DoDeserialize()", kSource)
}

void VGPYGameObject::SetPythonObject(const boost::shared_ptr<VGPythonObject>& script) {
  m_script = script;
  // Kept for the sprite records read every frame, so that no frame asks the factory for it.
  m_interpreter = VGPYFactory::GetInterpreter();
}

VGPythonObject& VGPYGameObject::Script() const {
  if (!m_script) throw KorvexEngine::SEngineException("the game object has no script instance");
  return *m_script;
}

void VGPYGameObject::SetName(const std::string& name) {
  KORVEX_TRY
    VGPythonLock lock;
    const VGScriptText attribute("name");
    Script().SetPropertyValueString(attribute.Get(), name);
    m_name = name;
  KORVEX_RETHROW("VGPYGameObject::SetName()", kSource)
}

void VGPYGameObject::SetPosition(const SCore::SVector3& position) {
  KORVEX_TRY
    m_tile->Body->Position.X = position.X;
    m_tile->Body->Position.Y = position.Y;
    PushPosition();
  KORVEX_RETHROW("VGPYGameObject::SetPosition()", kSource)
}

SCore::SVector3 VGPYGameObject::GetPosition() const { return m_tile->Body->Position; }

void VGPYGameObject::SetVelocity(const SCore::SVector3& velocity) {
  KORVEX_TRY
    m_tile->Body->Velocity = velocity;
    PushVelocity();
  KORVEX_RETHROW("VGPYGameObject::SetVelocity()", kSource)
}

void VGPYGameObject::SetHalfSize(const SCore::SVector3& halfSize) {
  KORVEX_TRY
    m_tile->HalfSize = halfSize;
    UpdateHalfSize();
  KORVEX_RETHROW("VGPYGameObject::SetHalfSize()", kSource)
}

SCore::SVector3 VGPYGameObject::GetHalfSize() const { return m_tile->HalfSize; }

void VGPYGameObject::SetMass(float mass) {
  KORVEX_TRY
    m_tile->Body->Mass = mass;
    PushMass();
  KORVEX_RETHROW("VGPYGameObject::SetMass()", kSource)
}

void VGPYGameObject::WriteFloat(PyObject* name, float value) { Script().SetPropertyValueDouble(name, value); }

float VGPYGameObject::ReadFloat(PyObject* name) {
  return float(Script().GetPropertyValue(name).GetResultAsDouble());
}

bool VGPYGameObject::ReadFlag(PyObject* name) { return Script().GetPropertyValue(name).GetResultAsBool(); }

unsigned int VGPYGameObject::ReadUnsigned(PyObject* name) {
  return static_cast<unsigned int>(Script().GetPropertyValue(name).GetResultAsSizeT());
}

void VGPYGameObject::PushPosition() {
  KORVEX_TRY
    VGPythonLock lock;
    WriteFloat(Name(kX), m_tile->Body->Position.X);
    WriteFloat(Name(kY), m_tile->Body->Position.Y);
  KORVEX_RETHROW("VGPYGameObject::PushPosition()", kSource)
}

void VGPYGameObject::PushVelocity() {
  KORVEX_TRY
    VGPythonLock lock;
    WriteFloat(Name(kVelX), m_tile->Body->Velocity.X);
    WriteFloat(Name(kVelY), m_tile->Body->Velocity.Y);
  KORVEX_RETHROW("VGPYGameObject::PushVelocity()", kSource)
}

void VGPYGameObject::PushMass() {
  KORVEX_TRY
    VGPythonLock lock;
    WriteFloat(Name(kMass), m_tile->Body->Mass);
  KORVEX_RETHROW("VGPYGameObject::PushMass()", kSource)
}

void VGPYGameObject::UpdateHalfSize() {
  KORVEX_TRY
    VGPythonLock lock;
    WriteFloat(Name(kW), m_tile->HalfSize.X);
    WriteFloat(Name(kH), m_tile->HalfSize.Y);
  KORVEX_RETHROW("VGPYGameObject::UpdateHalfSize()", kSource)
}

// One attribute read or written per call, its failures carrying the operation's name.
bool VGPYGameObject::FlagOf(int attribute, const char* operation) {
  KORVEX_TRY
    VGPythonLock lock;
    return ReadFlag(Name(static_cast<AttributeName>(attribute)));
  KORVEX_RETHROW(operation, kSource)
}

unsigned int VGPYGameObject::UnsignedOf(int attribute, const char* operation) {
  KORVEX_TRY
    VGPythonLock lock;
    return ReadUnsigned(Name(static_cast<AttributeName>(attribute)));
  KORVEX_RETHROW(operation, kSource)
}

void VGPYGameObject::SetFlag(int attribute, bool value, const char* operation) {
  KORVEX_TRY
    VGPythonLock lock;
    Script().SetPropertyValueBoolean(Name(static_cast<AttributeName>(attribute)), value);
  KORVEX_RETHROW(operation, kSource)
}

unsigned int VGPYGameObject::GetState() { return UnsignedOf(kState, "VGPYGameObject::GetState()"); }
bool VGPYGameObject::IsEnable() { return FlagOf(kIsEnable, "VGPYGameObject::IsEnable()"); }
void VGPYGameObject::Enable() { SetFlag(kIsEnable, true, "VGPYGameObject::Enable()"); }
void VGPYGameObject::Disable() { SetFlag(kIsEnable, false, "VGPYGameObject::Disable()"); }
bool VGPYGameObject::GetGravityAction() { return FlagOf(kGravityAction, "VGPYGameObject::GetGravityAction()"); }

void VGPYGameObject::SetGravityAction(bool gravityAction) {
  SetFlag(kGravityAction, gravityAction, "VGPYGameObject::SetGravityAction()");
}

unsigned int VGPYGameObject::GetGameObjectType() {
  return UnsignedOf(kGameObjectType, "VGPYGameObject::GetGameObjectType()");
}

bool VGPYGameObject::IsStatic() { return FlagOf(kIsStatic, "VGPYGameObject::IsStatic()"); }
bool VGPYGameObject::IsActor() { return FlagOf(kIsActor, "VGPYGameObject::IsActor()"); }
bool VGPYGameObject::IsPortal() { return FlagOf(kIsPortal, "VGPYGameObject::IsPortal()"); }
bool VGPYGameObject::IsMonstr() { return FlagOf(kIsMonstr, "VGPYGameObject::IsMonstr()"); }

bool VGPYGameObject::IsLife() {
  KORVEX_TRY
    VGPythonLock lock;
    const VGScriptText attribute("islife");
    return ReadFlag(attribute.Get());
  KORVEX_RETHROW("VGPYGameObject::IsLife()", kSource)
}

void VGPYGameObject::Update(VGPythonDictionary& world, float dt) {
  KORVEX_TRY
    VGPythonLock lock;
    Script().SetMethodName("can_update", 0);
    if (Script().Call().GetResultAsBool()) UpdateProcess(dt, world);
  KORVEX_RETHROW("VGPYGameObject::Update()", kSource)
}

void VGPYGameObject::UpdateProcess(float dt, VGPythonDictionary& world) {
  KORVEX_TRY
    VGPythonLock lock;
    PushPosition();
    PushVelocity();
    VGPythonObject& script = Script();
    script.SetMethodName("do_update", 3);
    script.SetArgumentValueDouble(0, dt);
    // The clock as the unsigned value it is: a long is wide enough here never to wrap it negative.
    script.SetArgumentValueInteger(long(uint32_t(timeGetTime())));
    script.SetArgumentValuePyObject(2, world.GetDictionary());
    script.Call();
    RefreshCache();
    m_tile->Update(dt);
    PushPosition();
    PushVelocity();
    for (const boost::shared_ptr<VGPYGameObject>& child : m_children) child->UpdateProcess(dt, world);
  KORVEX_RETHROW("VGPYGameObject::UpdateProcess()", kSource)
}

void VGPYGameObject::RefreshCache() {
  KORVEX_TRY
    VGPythonLock lock;
    float values[7];
    const AttributeName order[7] = {kX, kY, kVelX, kVelY, kMass, kW, kH};
    for (int i = 0; i < 7; ++i) values[i] = ReadFloat(Name(order[i]));
    VGBody& body = *m_tile->Body;
    body.Position.X = values[0];
    body.Position.Y = values[1];
    body.Velocity.X = values[2];
    body.Velocity.Y = values[3];
    body.Mass = values[4];
    m_tile->HalfSize = {values[5], values[6], 0.0f};
    body.Force = Plus(body.Force, GetForceAcc());
    m_tile->Geometry->Set(body.Position, m_tile->HalfSize);
  KORVEX_RETHROW("VGPYGameObject::RefreshCache()", kSource)
}

SCore::SVector3 VGPYGameObject::GetForceAcc() {
  KORVEX_TRY
    VGPythonLock lock;
    const SCore::SVector3 force{ReadFloat(Name(kFrcX)), ReadFloat(Name(kFrcY)), 0.0f};
    Script().SetMethodName("reset_force_acc", 0);
    Script().Call();
    return force;
  KORVEX_RETHROW("VGPYGameObject::GetForceAcc()", kSource)
}

void VGPYGameObject::ResetForceAcc() {
  KORVEX_TRY
    VGPythonLock lock;
    Script().SetMethodName("reset_force_acc", 0);
    Script().Call();
    m_tile->Body->Force = SCore::SVector3();
  KORVEX_RETHROW("VGPYGameObject::ResetForceAcc()", kSource)
}

void VGPYGameObject::AddStateSprite(const boost::shared_ptr<KorvexEngine::SSprite>& sprite, const std::string& state) {
  KORVEX_TRY
    m_states[state].push_back(sprite);
    const KorvexEngine::SSprite& s = *sprite;
    const boost::shared_ptr<SCore::STextureAnimator> animator = s.Material.GetAnimator1();
    const VGPythonResult record = VGPYFactory::CreateSpriteInfo(
        s.Name, s.Position.X, s.Position.Y, s.Position.Width, s.Position.Height, s.TexCoords.X, s.TexCoords.Y,
        s.TexCoords.Width, s.TexCoords.Height, s.Visible, s.FlipHorizontal, s.FlipVertical,
        animator ? animator->Inverse : false, s.XScaleFactor, s.YScaleFactor);
    VGPythonLock lock;
    Script().SetMethodName("add_state_sprite", 2);
    Script().SetArgumentValueString(state);
    Script().SetArgumentValuePyObject(1, record.GetResult());
    Script().Call();
  KORVEX_RETHROW("VGPYGameObject::AddStateSprite()", kSource)
}

const VGPYGameObject::SpriteList* VGPYGameObject::FindState(const std::string& name) const {
  const auto found = m_states.find(name);
  return found == m_states.end() ? nullptr : &found->second;
}

void VGPYGameObject::UpdateSpritesState(PyObject* scrollX, PyObject* scrollY) {
  KORVEX_TRY
    const std::string state = VGPYFactory::GetGameObjectStateStr(GetState());
    const SpriteList* sprites = FindState(state);
    if (sprites != nullptr && !sprites->empty()) {
      VGPythonLock lock;
      Script().SetMethodName("update_sprites_state", 3);
      Script().SetArgumentValueString(state);
      Script().SetArgumentValuePyObject(1, scrollX);
      Script().SetArgumentValuePyObject(2, scrollY);
      const VGPythonResult result = Script().Call();
      VGPythonList records(result.GetResult());
      // Entries beyond the state's last sprite have no sprite to place and are left alone.
      const size_t count = std::min(records.GetSize(), sprites->size());
      SpriteList::const_iterator sprite = sprites->begin();
      for (size_t i = 0; i < count; ++i, ++sprite) {
        ApplySpriteRecord(records.GetValue(i).GetResult(), **sprite);
      }
    }
    for (const boost::shared_ptr<VGPYGameObject>& child : m_children) child->UpdateSpritesState(scrollX, scrollY);
  KORVEX_RETHROW("VGPYGameObject::UpdateSpritesState()", kSource)
}

void VGPYGameObject::ApplySpriteRecord(PyObject* entry, KorvexEngine::SSprite& sprite) {
  VGPythonObject record(m_interpreter, "VGPYSprite", entry);
  const auto read = [&record](AttributeName name) {
    return float(record.GetPropertyValue(Name(name)).GetResultAsDouble());
  };
  const auto flag = [&record](AttributeName name) { return record.GetPropertyValue(Name(name)).GetResultAsBool(); };
  const float x = read(kPosX), y = read(kPosY), width = read(kWidth), height = read(kHeight);
  if (x != sprite.Position.X || y != sprite.Position.Y) sprite.SetPosition(x, y);
  if (width != sprite.Position.Width || height != sprite.Position.Height) sprite.SetSize(width, height);
  bool textureChanged = false;
  SetIfChanged(sprite.TexCoords.X, read(kTexX), textureChanged);
  SetIfChanged(sprite.TexCoords.Y, read(kTexY), textureChanged);
  SetIfChanged(sprite.TexCoords.Width, read(kTexW), textureChanged);
  SetIfChanged(sprite.TexCoords.Height, read(kTexH), textureChanged);
  if (textureChanged) sprite.CacheValid = false;
  sprite.Visible = flag(kEnable);
  m_animOffset = read(kAnimOffset);
  sprite.FlipHorizontal = flag(kFlipH);
  sprite.FlipVertical = flag(kFlipV);
  sprite.CacheValid = false;
  if (const boost::shared_ptr<SCore::STextureAnimator> animator = sprite.Material.GetAnimator1()) {
    animator->Inverse = flag(kAnimInv);
  }
}

void VGPYGameObject::SetAnimationRunState(int state) {
  for (const auto& entry : m_states) {
    for (const boost::shared_ptr<KorvexEngine::SSprite>& sprite : entry.second) {
      if (const boost::shared_ptr<SCore::STextureAnimator> animator = sprite->Material.GetAnimator1()) {
        animator->State = state;
      }
    }
  }
}

void VGPYGameObject::StopStateAnimations() { SetAnimationRunState(1); }

void VGPYGameObject::PlayStateAnimations() { SetAnimationRunState(0); }

void VGPYGameObject::Render() {
  KORVEX_TRY
    bool drawn = false;
    {
      VGPythonLock lock;
      Script().SetMethodName("can_render", 0);
      drawn = Script().Call().GetResultAsBool();
    }
    if (drawn) RenderState(VGPYFactory::GetGameObjectStateStr(GetState()));
  KORVEX_RETHROW("VGPYGameObject::Render()", kSource)
}

void VGPYGameObject::RenderState(const std::string& state) {
  KORVEX_TRY
    const SpriteList* sprites = FindState(state);
    if (sprites == nullptr) {
      throw KorvexEngine::SEngineException(
          ("state [" + state + "] not found for game object[" + m_name + "].").c_str());
    }
    for (const boost::shared_ptr<KorvexEngine::SSprite>& sprite : *sprites) {
      if (const boost::shared_ptr<SCore::STextureAnimator> animator = sprite->Material.GetAnimator1()) {
        animator->StartPhase = m_animOffset;
      }
      DrawAsIs(*sprite);
    }
    for (const boost::shared_ptr<VGPYGameObject>& child : m_children) child->RenderState(state);
  KORVEX_RETHROW("VGPYGameObject::RenderState()", kSource)
}

void VGPYGameObject::AddGroupObject(const boost::shared_ptr<VGPYGameObject>& child) {
  KORVEX_TRY
    m_children.push_back(child);
    SCore::SVector3 low;
    SCore::SVector3 high;
    bool first = true;
    for (const boost::shared_ptr<VGPYGameObject>& member : m_children) {
      const SCore::SVector3 position = member->GetPosition();
      const SCore::SVector3 half = member->GetHalfSize();
      const SCore::SVector3 far{position.X + 2.0f * half.X, position.Y + 2.0f * half.Y, position.Z + 2.0f * half.Z};
      low = first ? position : SCore::SVector3{std::min(low.X, position.X), std::min(low.Y, position.Y),
                                               std::min(low.Z, position.Z)};
      high = first ? far : SCore::SVector3{std::max(high.X, far.X), std::max(high.Y, far.Y), std::max(high.Z, far.Z)};
      first = false;
    }
    SetHalfSize({(high.X - low.X) * 0.5f, (high.Y - low.Y) * 0.5f, (high.Z - low.Z) * 0.5f});
    SetPosition(low);
  KORVEX_RETHROW("VGPYGameObject::AddGroupObject()", kSource)
}

void VGPYGameObject::DesializeStates(SCore::SDeserializator& reader) {
  KORVEX_TRY
    reader.DoBeginChild("States");
    const unsigned int stateCount = reader.DoGetChildCount();
    for (unsigned int i = 0; i < stateCount; ++i) {
      reader.DoBeginChild(i);
      std::string state;
      reader.DoDeserialize("Name", state);
      CheckState(state);
      const unsigned int childCount = reader.DoGetChildCount();
      for (unsigned int j = 0; j < childCount; ++j) {
        reader.DoBeginChild(j);
        const std::string element = reader.DoGetNodeName();
        reader.DoEndChild();
        if (element != "Sprite") continue;
        const boost::shared_ptr<KorvexEngine::SSprite> sprite = VGSpriteCreator::CreateSprite(1);
        sprite->DoDeserialize(reader, j);
        AddStateSprite(sprite, state);
      }
      reader.DoEndChild();
    }
    reader.DoEndChild();
  KORVEX_RETHROW("VGPYGameObject::DesializeStates()", kSource)
}

void VGPYGameObject::CheckState(const std::string& name) { m_states[name]; }

void VGPYGameObject::DeserializeAttributes(SCore::SDeserializator& reader) {
  KORVEX_TRY
    reader.DoBeginChild("Attributes");
    const unsigned int count = reader.DoGetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
      reader.DoBeginChild(i);
      std::string name;
      std::string value;
      std::string type;
      reader.DoDeserialize("Name", name);
      reader.DoDeserialize("Value", value);
      reader.DoDeserialize("Type", type);
      SetAttributeValue(value, type, name);
      reader.DoEndChild();
    }
    reader.DoEndChild();
  KORVEX_RETHROW("VGPYGameObject::DeserializeAttributes()", kSource)
}

void VGPYGameObject::SetAttributeValue(const std::string& value, const std::string& type, const std::string& name) {
  KORVEX_TRY
    VGPythonLock lock;
    const VGScriptText attribute(name);
    VGPythonObject& script = Script();
    if (type == "Boolean") {
      script.SetPropertyValueBoolean(attribute.Get(), ConvertAttribute<bool>(value, type, name));
    } else if (type == "String") {
      script.SetPropertyValueString(attribute.Get(), value);
    } else if (type == "Double") {
      script.SetPropertyValueDouble(attribute.Get(), ConvertAttribute<double>(value, type, name));
    } else if (type == "SizeT") {
      script.SetPropertyValueSizeT(attribute.Get(), ConvertAttribute<uint32_t>(value, type, name));
    } else if (type == "Long") {
      script.SetPropertyValueLong(attribute.Get(), ConvertAttribute<int32_t>(value, type, name));
    } else {
      throw KorvexEngine::SEngineException(
          ("can't set attribute[" + name + "] by value[" + value + "] of type[" + type + "]").c_str());
    }
  KORVEX_RETHROW("VGPYGameObject::SetAttributeValue()", kSource)
}

}  // namespace Vellgrove
