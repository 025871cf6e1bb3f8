#pragma once

#include "SMesh.h"
#include "SSceneNodeBase.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace KorvexEngine {

// Draws a drawable under a transformation. A node read from a file knows only the drawable's name;
// its owner binds m_Mesh before rendering.
class SSceneNodeMesh : public SSceneNodeBase {
 public:
  explicit SSceneNodeMesh(const std::string& name);
  ~SSceneNodeMesh() override;

  // Writes the bound drawable's name, or the stored name while none is bound.
  void DoSerialize(SCore::SSerializator& serializator) override;
  void DoAction(SSceneNodeAction& action) override;
  void DoRender(STransformation& transformation) override;
  void DoDeserialize(SCore::SDeserializator& deserializator, unsigned int index) override;
  void DoDeserialize(SCore::SDeserializator& deserializator) override;

  boost::shared_ptr<SMesh> m_Mesh;
  std::string MeshName;
};

}  // namespace KorvexEngine
