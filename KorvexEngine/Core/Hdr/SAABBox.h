#pragma once

namespace SCore {

struct SAABBox {
  float MinX = 0.0f;
  float MinY = 0.0f;
  float MinZ = 0.0f;
  float MaxX = 0.0f;
  float MaxY = 0.0f;
  float MaxZ = 0.0f;
};

}  // namespace SCore
