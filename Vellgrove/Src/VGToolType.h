#pragma once

#include <string>

namespace Vellgrove {

// The spell the player drew; the recogniser's answer is one of these. Files name them.
enum VGToolType {
  VGTT_WALL = 0,
  VGTT_BRIDGE = 1,
  VGTT_WINDRIGHT = 2,
  VGTT_WINDLEFT = 3,
  VGTT_TELEPORT = 4
};

// Both raise KorvexCoreException "unknown tool type" outside the table; names match exactly.
std::string ToolTypeToString(unsigned int type);
VGToolType ToolTypeFromString(const std::string& name);

}  // namespace Vellgrove
