#include "VGGameObjectType.h"

#include "KorvexCoreException.h"

namespace Vellgrove {

namespace {

struct GameObjectName {
  VGGameObjectType type;
  const char* name;
};

const GameObjectName kGameObjectNames[] = {
    {VGGOT_SIMPLE, "VGGOT_SIMPLE"},         {VGGOT_ACTOR, "VGGOT_ACTOR"},
    {VGGOT_BRIDGE, "VGGOT_BRIDGE"},         {VGGOT_LIFT, "VGGOT_LIFT"},
    {VGGOT_PORTAL, "VGGOT_PORTAL"},         {VGGOT_TELEPORT, "VGGOT_TELEPORT"},
    {VGGOT_WALL, "VGGOT_WALL"},             {VGGOT_MONSTR, "VGGOT_MONSTR"},
    {VGGOT_OUTTELEPORT, "VGGOT_OUTTELEPORT"}, {VGGOT_LETHAL, "VGGOT_LETHAL"},
    {VGGOT_GROUP, "VGGOT_GROUP"},           {VGGOT_WINDLEFT, "VGGOT_WINDLEFT"},
    {VGGOT_WINDRIGHT, "VGGOT_WINDRIGHT"}};

}  // namespace

std::string GameObjectTypeToString(unsigned int type) {
  for (const GameObjectName& entry : kGameObjectNames)
    if (static_cast<unsigned int>(entry.type) == type) return entry.name;
  return "unknown game object type";
}

VGGameObjectType GameObjectTypeFromString(const std::string& name) {
  for (const GameObjectName& entry : kGameObjectNames)
    if (name == entry.name) return entry.type;
  throw SCore::KorvexCoreException("unknown gameobject type string");
}

}  // namespace Vellgrove
