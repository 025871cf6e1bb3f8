#pragma once

#include "IDeserialize.h"
#include "ISerialize.h"
#include "SSceneNodeBase.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

namespace KorvexEngine {

// Nodes kept by ID, one of them the root, linked parent to child, as the element "SceneGraph".
// Reading adds to the nodes already held and replaces those of equal ID.
class SSceneGraph : public SCore::ISerialize, public SCore::IDeserialize {
 public:
  SSceneGraph();
  ~SSceneGraph() override;

  // A graph without a root writes an empty element.
  void DoSerialize(SCore::SSerializator& serializator) override;
  // The graph is found by name only.
  void DoDeserialize(SCore::SDeserializator& deserializator, unsigned int index) override;
  // An ID that names no node raises SEngineException before any node is linked.
  void DoDeserialize(SCore::SDeserializator& deserializator) override;

  std::unordered_map<std::uint32_t, boost::shared_ptr<SSceneNodeBase>> Nodes;
  boost::shared_ptr<SSceneNodeBase> RootNode;

 private:
  using PendingChildren = std::map<std::uint32_t, std::vector<std::uint32_t>>;

  void ReadNode(SCore::SDeserializator& deserializator, PendingChildren& pending);
  const boost::shared_ptr<SSceneNodeBase>& Find(std::uint32_t id) const;
  void Link(const PendingChildren& pending);
};

}  // namespace KorvexEngine
