#pragma once

#include <string>

namespace Vellgrove {

// What kind of thing a script-driven game object is: the script's "gameObjectType" and the key of
// the world's table of objects. The values 11 to 14 have no names.
enum VGGameObjectType {
  VGGOT_SIMPLE = 0,
  VGGOT_ACTOR = 1,
  VGGOT_BRIDGE = 2,
  VGGOT_LIFT = 3,
  VGGOT_PORTAL = 4,
  VGGOT_TELEPORT = 5,
  VGGOT_WALL = 6,
  VGGOT_MONSTR = 7,
  VGGOT_OUTTELEPORT = 8,
  VGGOT_LETHAL = 9,
  VGGOT_GROUP = 10,
  VGGOT_WINDLEFT = 15,
  VGGOT_WINDRIGHT = 16
};

// Every named value, the two winds included, so that whatever is written reads back; any other
// value gives "unknown game object type" (no failure).
std::string GameObjectTypeToString(unsigned int type);
// Raises KorvexCoreException "unknown gameobject type string" outside the table; names match exactly.
VGGameObjectType GameObjectTypeFromString(const std::string& name);

}  // namespace Vellgrove
