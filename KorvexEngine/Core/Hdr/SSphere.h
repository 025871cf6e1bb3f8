#pragma once

namespace SCore {

struct SSphere {
  float X = 0.0f;  // centre
  float Y = 0.0f;
  float Z = 0.0f;
  float R = 0.0f;  // radius
};

}  // namespace SCore
