#include "VGWorld.h"

#include "DrawAsIs.h"
#include "SDeserializator.h"
#include "STexture.h"
#include "STextureAnimatorFrame.h"
#include "VGBackGround.h"
#include "VGGeomAABB.h"
#include "VGPYFactory.h"
#include "VGPYGameObject.h"
#include "VGPYGameObjectDispatcher.h"
#include "VGPythonDictionary.h"
#include "VGPythonList.h"
#include "VGPythonLock.h"
#include "VGPythonObject.h"
#include "VGSoundManager.h"
#include "VGSpriteCreator.h"
#include "ReleaseScriptValue.h"
#include "srethrow.h"

#include "Platform/MMSystem.h"

#include <algorithm>
#include <cmath>

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGWorld";
const float kTick = 0.01f;
const float kNoResponseDepth = 9.99999975e-05f;
const float kSideImpulse = 3.0f;

// A world-space sprite of a named texture, blended, its own filtering trilinear.
boost::shared_ptr<KorvexEngine::SSprite> WorldSprite(const char* texture, float width, float height,
                                                     unsigned int alignment) {
  const boost::shared_ptr<KorvexEngine::SSprite> sprite = VGSpriteCreator::CreateTexturedSprite(texture, 1);
  sprite->Material.Filtration1->IsTrilinear = true;
  sprite->SetSize(width, height);
  sprite->CoordAligment = alignment;
  return sprite;
}

// The direction from the view's centre, turned half round on the left; a point at the centre
// itself (0 over 0) points right.
float PointerAngle(float dy, float dx, float leftTest) {
  float angle = std::atan(dy / dx);
  if (leftTest < 0.0f) angle += 3.14f;
  return std::isfinite(angle) ? angle : 0.0f;
}

SCore::SVector3 SizeOf(VGPYGameObject& object) {
  const SCore::SVector3 half = object.GetHalfSize();
  return {2.0f * half.X, 2.0f * half.Y, 2.0f * half.Z};
}

// A script integer of the type, the dictionary's key.
class TypeKey {
 public:
  explicit TypeKey(unsigned int type) : m_key(PyLong_FromSize_t(type)) {}
  ~TypeKey() { ReleaseScriptValue(m_key); }
  TypeKey(const TypeKey&) = delete;
  TypeKey& operator=(const TypeKey&) = delete;
  PyObject* Get() const { return m_key; }

 private:
  PyObject* m_key;
};

}  // namespace

VGWorld::VGWorld() : m_gravity{0.0f, 0.98f, 0.0f} {
  KORVEX_TRY
    m_dispatcher.reset(new VGPYGameObjectDispatcher);
    m_dictionary.reset(new VGPythonDictionary(VGPYFactory::GetInterpreter()));
    m_pointer = WorldSprite("PTR", 0.0357099995f, 0.0437199995f, 0);
    m_angel = WorldSprite("ANGEL", 0.0625f, 0.125f, 1);
    const boost::shared_ptr<SCore::STextureAnimatorFrame> angel(new SCore::STextureAnimatorFrame("AngelAnimator", 4, 1));
    angel->AnimationSpeed = 16.0f;
    angel->Indent.Height = 0.75f;
    angel->SetTexture(m_angel->Material.Texture1);
    m_angel->Material.Texture1->UseTransform = true;
    m_angel->Material.Animator1 = angel;
    m_skeleton = WorldSprite("SKELETON", 0.1116071418f, 0.1366120279f, 1);
    m_skeleton->TexCoords = {0.0f, 0.0f, 0.78125f, 0.78125f};
    m_portalPointer = VGSpriteCreator::CreateTexturedSprite("PORTALPTR", 1);
    m_portalPointer->TexCoords.Width = 0.609375f;
    m_portalPointer->SetSize(0.0435267873f, 0.0874316916f);
  KORVEX_RETHROW("VGWorld::VGWorld()", kSource)
}

VGWorld::~VGWorld() {
  m_dynamic.clear();
  m_static.clear();
  m_actors.clear();
  m_monsters.clear();
  m_dictionary.reset();
  m_dispatcher.reset();
}

void VGWorld::DoSerialize(SCore::SSerializator&) {}

void VGWorld::DoDeserialize(SCore::SDeserializator&, unsigned int) {}

void VGWorld::DoDeserialize(SCore::SDeserializator& reader) {
  KORVEX_TRY
    reader.DoBeginChild("World");
    reader.DoBeginChild("GameObjects");
    const unsigned int count = reader.DoGetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
      reader.DoBeginChild(i);
      DeserializeGameObject(reader, boost::shared_ptr<VGPYGameObject>());
      reader.DoEndChild();
    }
    reader.DoEndChild();
    m_background.reset(new VGBackGround);
    m_background->DoDeserialize(reader);
    reader.DoEndChild();
  KORVEX_RETHROW("VGWorld::DoDeserialize()", kSource)
}

void VGWorld::DeserializeGameObject(SCore::SDeserializator& reader, const boost::shared_ptr<VGPYGameObject>& parent) {
  KORVEX_TRY
    std::string name;
    reader.DoDeserialize("Name", name);
    const boost::shared_ptr<VGPYGameObject> object = VGPYFactory::Create(name);
    const unsigned int count = reader.DoGetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
      reader.DoBeginChild(i);
      const std::string element = reader.DoGetNodeName();
      if (element == "GameObject") {
        DeserializeGameObject(reader, object);
        reader.DoEndChild();
        continue;
      }
      reader.DoEndChild();
      if (element == "Position") {
        SCore::SVector3 position;
        reader.DoDeserialize("Position", position);
        object->SetPosition(position);
      } else if (element == "HalfSize") {
        SCore::SVector3 halfSize;
        reader.DoDeserialize("HalfSize", halfSize);
        object->SetHalfSize(halfSize);
      } else if (element == "Attributes") {
        object->DeserializeAttributes(reader);
      }
    }
    if (parent) {
      parent->AddGroupObject(object);
    } else {
      AddGameObject(object);
    }
  KORVEX_RETHROW("VGWorld::DeserializeGameObject()", kSource)
}

void VGWorld::AddGameObject(const boost::shared_ptr<VGPYGameObject>& object) {
  KORVEX_TRY
    object->m_tile->Update(0.0f);
    (object->IsStatic() ? m_static : m_dynamic).push_back(object);
    {
      VGPythonLock lock;
      const TypeKey key(object->GetGameObjectType());
      if (m_dictionary->Contains(key.Get())) {
        VGPythonList(m_dictionary->GetValue(key.Get()).GetResult()).Append(object->GetPythonObject()->GetInstance());
      } else {
        VGPythonList list(VGPYFactory::GetInterpreter());
        m_dictionary->Set(key.Get(), list.GetList());
        list.Append(object->GetPythonObject()->GetInstance());
      }
    }
    if (object->IsActor()) m_actors.push_back(object);
    if (object->IsMonstr()) m_monsters.push_back(object);
  KORVEX_RETHROW("VGWorld::AddGameObject()", kSource)
}

void VGWorld::Update(float dt) {
  KORVEX_TRY
    for (const auto& object : m_dynamic) object->RefreshCache();
    for (const auto& object : m_static) object->RefreshCache();
    CollisionDetection();
    for (const auto& object : m_dynamic) {
      if (!object->IsEnable()) continue;
      if (object->GetGravityAction()) {
        VGBody& body = *object->m_tile->Body;
        body.Force.X += m_gravity.X * body.Mass;
        body.Force.Y += m_gravity.Y * body.Mass;
        body.Force.Z += m_gravity.Z * body.Mass;
      }
      object->Update(*m_dictionary, dt);
    }
    for (const auto& object : m_static) object->Update(*m_dictionary, dt);
    ResetForces();
    RiseAngels(dt);
  KORVEX_RETHROW("VGWorld::Update()", kSource)
}

void VGWorld::RiseAngels(float dt) {
  float k = 1.0f;
  for (VGDeadActorRecord& record : m_deadActors) {
    const float t = float(timeGetTime()) * 0.001f * k;
    // The sway's amplitude follows the height above the starting x, as the angels have always swayed.
    record.X = record.StartX + 0.1f * std::sin(t) * std::atan(record.Y - record.StartX);
    record.Y = record.Y - dt * 0.01f;
    k += 1.0f;
  }
}

void VGWorld::CollisionDetection() {
  KORVEX_TRY
    // Whether an inner object is enabled is asked only of objects whose box meets the outer one's:
    // apart, a pair comes to nothing either way, and asking the script costs far more than the box
    // test.
    for (const auto& solid : m_static) {
      if (!solid->IsEnable()) continue;
      for (const auto& mover : m_dynamic) {
        if (Overlap(*solid, *mover) && mover->IsEnable()) ResolveCollision(solid, mover);
      }
    }
    for (size_t i = 0; i < m_dynamic.size(); ++i) {
      if (!m_dynamic[i]->IsEnable()) continue;
      for (size_t j = i + 1; j < m_dynamic.size(); ++j) {
        if (Overlap(*m_dynamic[j], *m_dynamic[i]) && m_dynamic[j]->IsEnable()) {
          ResolveCollision(m_dynamic[j], m_dynamic[i]);
        }
      }
    }
    for (const auto& object : m_static) object->RefreshCache();
    for (const auto& object : m_dynamic) object->RefreshCache();
  KORVEX_RETHROW("VGWorld::CollisionDetection()", kSource)
}

bool VGWorld::Overlap(VGPYGameObject& b, VGPYGameObject& a) {
  VGContact contact;
  m_collider.Collide(*a.m_tile, contact, *b.m_tile);
  return contact.Depth > 0.0f;
}

void VGWorld::ResolveCollision(const boost::shared_ptr<VGPYGameObject>& b, const boost::shared_ptr<VGPYGameObject>& a) {
  KORVEX_TRY
    VGContact contact;
    m_collider.Collide(*a->m_tile, contact, *b->m_tile);
    if (!(contact.Depth > 0.0f)) return;
    std::string sound;
    const bool respond = m_dispatcher->Dispatch(contact, a, b, m_dictionary, sound);
    if (!sound.empty() && g_SoundManager) g_SoundManager->PlaySound(sound);
    a->RefreshCache();
    b->RefreshCache();
    if (!respond) return;
    RespondToContact(*b, *a, contact);
    a->PushPosition();
    b->PushPosition();
    a->PushVelocity();
    b->PushVelocity();
    a->UpdateHalfSize();
    b->UpdateHalfSize();
  KORVEX_RETHROW("VGWorld::ResolveCollision()", kSource)
}

void VGWorld::RespondToContact(VGPYGameObject& b, VGPYGameObject& a, const VGContact& contact) {
  if (std::fabs(contact.Depth) < kNoResponseDepth) return;
  VGBody& bodyA = *a.m_tile->Body;
  VGBody& bodyB = *b.m_tile->Body;
  const float nx = contact.NormalX, ny = contact.NormalY, nz = contact.NormalZ, depth = contact.Depth;
  const bool movesA = bodyA.Mass > 0.0f, movesB = bodyB.Mass > 0.0f;
  if (!movesA && !movesB) return;
  float j = 0.0f;
  if (movesA && movesB) {
    const float rel = (bodyA.Velocity.X - bodyB.Velocity.X) * nx + (bodyA.Velocity.Y - bodyB.Velocity.Y) * ny;
    j = -rel / (1.0f / bodyA.Mass + 1.0f / bodyB.Mass);
  } else if (movesA) {
    j = -(bodyA.Velocity.X * nx + bodyA.Velocity.Y * ny) * bodyA.Mass;
  } else {
    j = (bodyB.Velocity.X * nx + bodyB.Velocity.Y * ny) * bodyB.Mass;
  }
  const SCore::SVector3 impulse{kSideImpulse * j * nx, j * ny, j * nz};
  if (movesA) {
    const float inverse = 1.0f / bodyA.Mass;
    bodyA.Velocity = {bodyA.Velocity.X + inverse * impulse.X, bodyA.Velocity.Y + inverse * impulse.Y,
                      bodyA.Velocity.Z + inverse * impulse.Z};
    bodyA.Position = {bodyA.Position.X - depth * nx, bodyA.Position.Y - depth * ny, bodyA.Position.Z - depth * nz};
    a.SetPosition(bodyA.Position);
    a.SetVelocity(bodyA.Velocity);
  }
  if (movesB) {
    const float inverse = 1.0f / bodyB.Mass;
    bodyB.Velocity = {bodyB.Velocity.X - inverse * impulse.X, bodyB.Velocity.Y - inverse * impulse.Y,
                      bodyB.Velocity.Z - inverse * impulse.Z};
    bodyB.Position = {bodyB.Position.X + depth * nx, bodyB.Position.Y + depth * ny, bodyB.Position.Z + depth * nz};
    b.SetPosition(bodyB.Position);
    b.SetVelocity(bodyB.Velocity);
  }
}

void VGWorld::ResetForces() {
  KORVEX_TRY
    for (const auto& object : m_dynamic) object->ResetForceAcc();
  KORVEX_RETHROW("VGWorld::ResetForces()", kSource)
}

void VGWorld::UpdateSpritesState() {
  KORVEX_TRY
    VGPythonLock lock;
    PyObject* scrollX = PyFloat_FromDouble(m_scroll.X);
    PyObject* scrollY = PyFloat_FromDouble(m_scroll.Y);
    try {
      for (const auto& object : m_dynamic) object->UpdateSpritesState(scrollX, scrollY);
      for (const auto& object : m_static) object->UpdateSpritesState(scrollX, scrollY);
    } catch (...) {
      ReleaseScriptValue(scrollX);
      ReleaseScriptValue(scrollY);
      throw;
    }
    ReleaseScriptValue(scrollX);
    ReleaseScriptValue(scrollY);
  KORVEX_RETHROW("VGWorld::UpdateSpritesState()", kSource)
}

void VGWorld::Sort() {
  KORVEX_TRY
    // Stable: objects of equal render order keep their adoption order, which stepping and the
    // collision pass follow from now on.
    const auto byRenderOrder = [](const boost::shared_ptr<VGPYGameObject>& x,
                                  const boost::shared_ptr<VGPYGameObject>& y) {
      return x->m_renderOrder < y->m_renderOrder;
    };
    std::stable_sort(m_static.begin(), m_static.end(), byRenderOrder);
    std::stable_sort(m_dynamic.begin(), m_dynamic.end(), byRenderOrder);
    m_needsSort = false;
  KORVEX_RETHROW("VGWorld::Sort()", kSource)
}

bool VGWorld::InView(const SCore::SVector3& position, const SCore::SVector3& size) const {
  const float ax = std::fabs(m_scroll.X), ay = std::fabs(m_scroll.Y);
  return ax <= position.X + size.X && ay <= position.Y + size.Y && position.X <= ax + 1.0f &&
         position.Y <= ay + 1.0f;
}

void VGWorld::Render() {
  KORVEX_TRY
    if (m_needsSort) Sort();
    if (m_background) m_background->Render(m_scroll);
    for (const auto& object : m_static) {
      if (object->IsEnable() && InView(object->GetPosition(), SizeOf(*object))) object->Render();
    }
    for (const auto& object : m_dynamic) {
      if (!object->IsEnable()) continue;
      const SCore::SVector3 position = object->GetPosition();
      const SCore::SVector3 size = SizeOf(*object);
      if (InView(position, size)) {
        object->Render();
      } else if (object->IsPortal()) {
        DrawPortalPointer(position, size);
      }
    }
    for (const auto& actor : m_actors) {
      const bool enabled = actor->IsEnable();
      if (!enabled && !actor->IsLife()) {
        RecordDeadActor(*actor);
      } else if (enabled) {
        DrawActorPointer(actor->GetPosition(), SizeOf(*actor));
      }
    }
    for (const VGDeadActorRecord& record : m_deadActors) {
      m_angel->SetPosition(record.X + m_scroll.X, record.Y + m_scroll.Y);
      DrawAsIs(*m_angel);
    }
    for (const auto& monster : m_monsters) {
      if (!monster->IsEnable() && !monster->IsLife()) DrawSkeleton(*monster);
    }
  KORVEX_RETHROW("VGWorld::Render()", kSource)
}

void VGWorld::DrawPortalPointer(const SCore::SVector3& position, const SCore::SVector3& size) {
  const float ax = std::fabs(m_scroll.X), ay = std::fabs(m_scroll.Y);
  const float x = position.X, y = position.Y;
  float pointerX = x - ax, pointerY = y - ay;
  float portalX = x - ax - m_portalPointer->Position.Width * 0.5f, portalY = y - ay;
  if (x < ax) {
    pointerX = 0.05f;
    portalX = 0.1f;
  } else if (x > ax + 0.92f) {
    pointerX = portalX = 0.92f;
  }
  if (y < ay) {
    pointerY = 0.05f;
    portalY = 0.1f;
  } else if (y > ay + 0.92f) {
    pointerY = 0.92f;
  }
  if (y > ay + 0.85f) portalY = 0.85f;
  m_pointer->Angle = PointerAngle((y + size.Y) - ay - 0.5f, (x + size.X) - ax - 0.5f, (x - ax) - 0.5f);
  m_pointer->SetPosition(pointerX, pointerY);
  m_portalPointer->SetPosition(portalX, portalY);
  DrawAsIs(*m_pointer);
  DrawAsIs(*m_portalPointer);
}

void VGWorld::DrawActorPointer(const SCore::SVector3& position, const SCore::SVector3& size) {
  const float ax = std::fabs(m_scroll.X), ay = std::fabs(m_scroll.Y);
  const float x = position.X, y = position.Y;
  const bool outside = x + size.X < ax || ax + 1.0f < x || y + size.Y < ay || ay + 1.0f < y;
  if (!outside) return;
  float pointerX = x - ax, pointerY = y - ay;
  if (x < ax) {
    pointerX = 0.05f;
  } else if (x > ax + 0.92f) {
    pointerX = 0.92f;
  }
  if (y < ay) {
    pointerY = 0.05f;
  } else if (y > ay + 0.92f) {
    pointerY = 0.92f;
  }
  m_pointer->Angle = PointerAngle((y - ay) - 0.5f, (x - ax) - 0.5f, (x - ax) - 0.5f);
  m_pointer->SetPosition(pointerX, pointerY);
  DrawAsIs(*m_pointer);
}

void VGWorld::RecordDeadActor(VGPYGameObject& actor) {
  const std::string name = actor.GetName();
  for (const VGDeadActorRecord& record : m_deadActors) {
    if (record.Name == name) return;
  }
  const SCore::SVector3 position = actor.GetPosition();
  m_deadActors.push_back({name, position.X, position.Y, position.Z, position.X, position.Y, position.Z});
}

void VGWorld::DrawSkeleton(VGPYGameObject& monster) {
  const SCore::SVector3 position = monster.GetPosition();
  const SCore::SVector3 size = SizeOf(monster);
  m_skeleton->SetPosition(position.X + size.X - m_skeleton->Position.Width + m_scroll.X,
                          position.Y + size.Y - m_skeleton->Position.Height + m_scroll.Y);
  DrawAsIs(*m_skeleton);
}

}  // namespace Vellgrove
