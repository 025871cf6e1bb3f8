#pragma once

#include "IDeserialize.h"
#include "ISerialize.h"
#include "STransformation.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace KorvexEngine {

class SSceneNodeAction;

// 0 plain node, 1 mesh node, 2 camera node.
using SSceneNodeType = std::uint32_t;

// A named transformation with children. A node neither renders nor acts on its children: whoever
// owns the graph walks it. A node writes into and reads from the current element; the graph gives
// each node its "Node" element and reads the "Childs" lists itself.
class SSceneNodeBase : public SCore::ISerialize, public SCore::IDeserialize {
 public:
  SSceneNodeBase(const std::string& name, SSceneNodeType type);
  ~SSceneNodeBase() override;

  void DoSerialize(SCore::SSerializator& serializator) override;
  virtual void DoAction(SSceneNodeAction& action);
  // Draws under the given transformation; the node's own one is the owner's to combine.
  virtual void DoRender(STransformation& transformation);
  // Nodes have no element of their own to find by position.
  void DoDeserialize(SCore::SDeserializator& deserializator, unsigned int index) override;
  void DoDeserialize(SCore::SDeserializator& deserializator) override;

  std::vector<boost::shared_ptr<SSceneNodeBase>> Children;
  std::uint32_t ID = 0;
  std::string Name;
  STransformation Transformation;
  SSceneNodeType Type;

 protected:
  // What every kind of node writes and reads: identity, transformation and, when writing, the children's IDs.
  void WriteNode(SCore::SSerializator& serializator);
  void ReadNode(SCore::SDeserializator& deserializator);
};

}  // namespace KorvexEngine
