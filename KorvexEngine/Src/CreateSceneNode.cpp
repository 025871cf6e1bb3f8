#include "CreateSceneNode.h"

#include "SEngineException.h"
#include "SSceneNodeCamera.h"
#include "SSceneNodeMesh.h"

#include <boost/make_shared.hpp>

namespace KorvexEngine {

boost::shared_ptr<SSceneNodeBase> CreateSceneNode(SSceneNodeType type, const std::string& name) {
  switch (type) {
    case 0:
      return boost::make_shared<SSceneNodeBase>(name, 0);
    case 1:
      return boost::make_shared<SSceneNodeMesh>(name);
    case 2:
      return boost::make_shared<SSceneNodeCamera>(name);
    default:
      throw SEngineException("Unknown SSceneNodeType");
  }
}

}  // namespace KorvexEngine
