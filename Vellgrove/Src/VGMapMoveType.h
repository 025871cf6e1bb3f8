#pragma once

#include <string>

namespace Vellgrove {

// The four ways the player pushes the level view, as tutorial scripts name them.
enum VGMapMoveType { VGMMT_LEFT = 0, VGMMT_RIGHT = 1, VGMMT_UP = 2, VGMMT_DOWN = 3 };

// "LEFT", "RIGHT", "UP", "DOWN", exactly; anything else raises "unknown move type".
VGMapMoveType MoveTypeFromString(const std::string& name);

}  // namespace Vellgrove
