#include "VGToolType.h"

#include "KorvexCoreException.h"

namespace Vellgrove {

namespace {

struct ToolName {
  VGToolType type;
  const char* name;
};

const ToolName kToolNames[] = {{VGTT_WALL, "VGTT_WALL"},
                               {VGTT_BRIDGE, "VGTT_BRIDGE"},
                               {VGTT_WINDRIGHT, "VGTT_WINDRIGHT"},
                               {VGTT_WINDLEFT, "VGTT_WINDLEFT"},
                               {VGTT_TELEPORT, "VGTT_TELEPORT"}};

const char* const kUnknownTool = "unknown tool type";

}  // namespace

std::string ToolTypeToString(unsigned int type) {
  for (const ToolName& entry : kToolNames)
    if (static_cast<unsigned int>(entry.type) == type) return entry.name;
  throw SCore::KorvexCoreException(kUnknownTool);
}

VGToolType ToolTypeFromString(const std::string& name) {
  for (const ToolName& entry : kToolNames)
    if (name == entry.name) return entry.type;
  throw SCore::KorvexCoreException(kUnknownTool);
}

}  // namespace Vellgrove
