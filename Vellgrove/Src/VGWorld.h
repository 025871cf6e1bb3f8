#pragma once

#include "IDeserialize.h"
#include "ISerialize.h"
#include "SSprite.h"
#include "SVector3.h"
#include "VGCollider.h"
#include "VGDeadActorRecord.h"

#include <boost/shared_ptr.hpp>

#include <list>
#include <vector>

namespace Vellgrove {

class VGBackGround;
class VGPYGameObject;
class VGPYGameObjectDispatcher;
class VGPythonDictionary;

// One level's simulation: its game objects stepped in ticks, their box contacts judged by the
// collision script and answered with an impulse and a separation, and the dictionary from object
// type to script instances that every script receives. Drawing, see Render.
class VGWorld : public SCore::ISerialize, public SCore::IDeserialize {
 public:
  using ObjectList = std::vector<boost::shared_ptr<VGPYGameObject>>;

  VGWorld();
  ~VGWorld() override;
  VGWorld(const VGWorld&) = delete;
  VGWorld& operator=(const VGWorld&) = delete;

  void DoSerialize(SCore::SSerializator& writer) override;
  void DoDeserialize(SCore::SDeserializator& reader, unsigned int index) override;
  // The "World" child of the level element: its objects, then its background.
  void DoDeserialize(SCore::SDeserializator& reader) override;
  // The reader's current element is the object's; nested objects become the parent's group.
  void DeserializeGameObject(SCore::SDeserializator& reader, const boost::shared_ptr<VGPYGameObject>& parent);

  void AddGameObject(const boost::shared_ptr<VGPYGameObject>& object);
  void Update(float dt);
  void CollisionDetection();
  void ResolveCollision(const boost::shared_ptr<VGPYGameObject>& b, const boost::shared_ptr<VGPYGameObject>& a);
  void ResetForces();
  void UpdateSpritesState();

  // Fixes the drawing order (by render order, adoption order among equals) at the first drawing.
  void Sort();
  // The background, the objects in view, pointers to actors and portals out of view, angels and
  // skeletons.
  void Render();

  boost::shared_ptr<VGPythonDictionary> GetDictionary() const { return m_dictionary; }
  const boost::shared_ptr<VGPYGameObjectDispatcher>& GetDispatcher() const { return m_dispatcher; }
  const ObjectList& GetDynamicObjects() const { return m_dynamic; }
  const ObjectList& GetStaticObjects() const { return m_static; }
  const ObjectList& GetActors() const { return m_actors; }
  const ObjectList& GetMonsters() const { return m_monsters; }
  const std::list<VGDeadActorRecord>& GetDeadActors() const { return m_deadActors; }
  const boost::shared_ptr<VGBackGround>& GetBackGround() const { return m_background; }

  SCore::SVector3 m_scroll;
  bool m_needsSort = true;
  boost::shared_ptr<KorvexEngine::SSprite> m_pointer;
  boost::shared_ptr<KorvexEngine::SSprite> m_portalPointer;
  boost::shared_ptr<KorvexEngine::SSprite> m_angel;
  boost::shared_ptr<KorvexEngine::SSprite> m_skeleton;

 private:
  // The pair's boxes meet with a positive depth.
  bool Overlap(VGPYGameObject& b, VGPYGameObject& a);
  void RespondToContact(VGPYGameObject& b, VGPYGameObject& a, const VGContact& contact);
  void RiseAngels(float dt);
  bool InView(const SCore::SVector3& position, const SCore::SVector3& size) const;
  void DrawPortalPointer(const SCore::SVector3& position, const SCore::SVector3& size);
  void DrawActorPointer(const SCore::SVector3& position, const SCore::SVector3& size);
  void RecordDeadActor(VGPYGameObject& actor);
  void DrawSkeleton(VGPYGameObject& monster);

  ObjectList m_dynamic;
  ObjectList m_static;
  SCore::SVector3 m_gravity;
  VGCollider m_collider;
  boost::shared_ptr<VGPYGameObjectDispatcher> m_dispatcher;
  boost::shared_ptr<VGBackGround> m_background;
  boost::shared_ptr<VGPythonDictionary> m_dictionary;
  ObjectList m_actors;
  std::list<VGDeadActorRecord> m_deadActors;
  ObjectList m_monsters;
};

}  // namespace Vellgrove
