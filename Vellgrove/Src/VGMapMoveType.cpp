#include "VGMapMoveType.h"

#include "KorvexCoreException.h"

namespace Vellgrove {

VGMapMoveType MoveTypeFromString(const std::string& name) {
  static const char* const kNames[] = {"LEFT", "RIGHT", "UP", "DOWN"};
  for (int i = 0; i < 4; ++i) {
    if (name == kNames[i]) return static_cast<VGMapMoveType>(i);
  }
  throw SCore::KorvexCoreException("unknown move type");
}

}  // namespace Vellgrove
