#pragma once

#include "VGGameObjectType.h"
#include "VGToolType.h"

namespace Vellgrove {

// One tool a level allows: the spell and the kind of game object it makes. Never changed once made.
class VGTool {
 public:
  VGTool(VGToolType toolType, VGGameObjectType gameObjectType)
      : m_toolType(toolType), m_gameObjectType(gameObjectType) {}
  virtual ~VGTool() = default;

  VGToolType GetToolType() const { return m_toolType; }
  VGGameObjectType GetGameObjectType() const { return m_gameObjectType; }

 private:
  VGToolType m_toolType;
  VGGameObjectType m_gameObjectType;
};

}  // namespace Vellgrove
