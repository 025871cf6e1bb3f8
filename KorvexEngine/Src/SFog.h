#pragma once

namespace SCore {

// The render device's fog settings; a material that enables fog applies them as they stand.
struct SFog {
  int IsLinear = 1;  // zero: exponential fog with Density
  float Start = 0.0f;
  float End = 1000.0f;
  float Density = 0.5f;
  int IsTableFog = 0;  // zero: vertex fog
  int IsRangeFog = 0;  // only with vertex fog
  unsigned char Color[4] = {255, 255, 255, 255};  // alpha, red, green, blue
};

}  // namespace SCore
