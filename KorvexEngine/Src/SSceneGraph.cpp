#include "SSceneGraph.h"

#include "CreateSceneNode.h"
#include "SDeserializator.h"
#include "SEngineException.h"
#include "SSerializator.h"

#include <string>

namespace KorvexEngine {

SSceneGraph::SSceneGraph() = default;

SSceneGraph::~SSceneGraph() = default;

void SSceneGraph::DoSerialize(SCore::SSerializator& serializator) {
  serializator.DoBeginChild("SceneGraph");
  if (RootNode) {
    serializator.DoSerialize("RootNode", static_cast<unsigned int>(RootNode->ID));
    serializator.DoBeginChild("Nodes");
    for (const auto& entry : Nodes) {
      serializator.DoBeginChild("Node");
      entry.second->DoSerialize(serializator);
      serializator.DoEndChild();
    }
    serializator.DoEndChild();
  }
  serializator.DoEndChild();
}

void SSceneGraph::DoDeserialize(SCore::SDeserializator&, unsigned int) {
  throw SEngineException("you do not must call this method");
}

void SSceneGraph::DoDeserialize(SCore::SDeserializator& deserializator) {
  deserializator.DoBeginChild("SceneGraph");
  unsigned int rootId = 0;
  deserializator.DoDeserialize("RootNode", rootId);
  deserializator.DoBeginChild("Nodes");
  PendingChildren pending;
  const unsigned int count = deserializator.DoGetChildCount();
  for (unsigned int i = 0; i < count; ++i) {
    deserializator.DoBeginChild(i);
    ReadNode(deserializator, pending);
    deserializator.DoEndChild();
  }
  deserializator.DoEndChild();
  const boost::shared_ptr<SSceneNodeBase>& root = Find(rootId);
  Link(pending);
  RootNode = root;
  deserializator.DoEndChild();
}

// The element is read twice: first by a plain node only to learn the kind, then by a node of that kind.
void SSceneGraph::ReadNode(SCore::SDeserializator& deserializator, PendingChildren& pending) {
  SSceneNodeBase probe("", 0);
  probe.DoDeserialize(deserializator);
  const boost::shared_ptr<SSceneNodeBase> node = CreateSceneNode(probe.Type, "");
  node->DoDeserialize(deserializator);
  Nodes[node->ID] = node;
  std::vector<std::uint32_t>& children = pending[node->ID];
  deserializator.DoBeginChild("Childs");
  const unsigned int count = deserializator.DoGetChildCount();
  for (unsigned int i = 0; i < count; ++i) {
    deserializator.DoBeginChild(i);
    unsigned int id = 0;
    deserializator.DoDeserialize("ID", id);
    children.push_back(id);
    deserializator.DoEndChild();
  }
  deserializator.DoEndChild();
}

const boost::shared_ptr<SSceneNodeBase>& SSceneGraph::Find(std::uint32_t id) const {
  const auto found = Nodes.find(id);
  if (found == Nodes.end()) throw SEngineException(("Unknown scene node ID " + std::to_string(id)).c_str());
  return found->second;
}

// Every child is looked up before the first is attached, so a bad ID leaves no node half linked.
void SSceneGraph::Link(const PendingChildren& pending) {
  std::vector<std::pair<SSceneNodeBase*, boost::shared_ptr<SSceneNodeBase>>> links;
  for (const auto& parent : pending)
    for (std::uint32_t childId : parent.second) links.emplace_back(Find(parent.first).get(), Find(childId));
  for (const auto& link : links) link.first->Children.push_back(link.second);
}

}  // namespace KorvexEngine
