#include "VGFrameWalls.h"

#include "VGLevel.h"
#include "VGPYFactory.h"
#include "VGPYGameObject.h"

namespace Vellgrove {

namespace {

void AddFrameWall(VGLevel& level, const char* name, float x) {
  const boost::shared_ptr<VGPYGameObject> wall(new VGPYGameObject);
  wall->SetPythonObject(VGPYFactory::CreateByTypeName("VGGOT_SIMPLE"));
  wall->SetPosition({x, -1.0f, 0.0f});
  wall->SetMass(0.0f);
  wall->SetName(name);
  wall->SetHalfSize({0.001f, 0.5f * level.SizeY + 0.5f, 0.0f});
  level.AddGameObject(wall);
}

}  // namespace

void AddFrameWalls(VGLevel& level) {
  AddFrameWall(level, "WallFrameLeft", 0.0f);
  AddFrameWall(level, "WallFrameRight", level.SizeX - 0.0020000001f);
}

}  // namespace Vellgrove
