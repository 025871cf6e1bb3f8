#pragma once

namespace Vellgrove {

// Where two boxes touch: a point measured from the first box's centre, the unit normal from the
// first towards the second along the axis of the smaller overlap, and that overlap.
struct VGContact {
  float PointX = 0.0f;
  float PointY = 0.0f;
  float PointZ = 0.0f;
  float NormalX = 0.0f;
  float NormalY = 0.0f;
  float NormalZ = 0.0f;
  float Depth = 0.0f;
};

}  // namespace Vellgrove
