#pragma once

#include <string>

namespace Vellgrove {

// A dead actor's angel: where it rises now and where it started.
struct VGDeadActorRecord {
  std::string Name;
  float X = 0.0f;
  float Y = 0.0f;
  float Z = 0.0f;
  float StartX = 0.0f;
  float StartY = 0.0f;
  float StartZ = 0.0f;
};

}  // namespace Vellgrove
