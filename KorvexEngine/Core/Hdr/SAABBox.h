#pragma once

#include "SVector3.h"
#include "srethrow.h"

namespace SCore {

// A box made with all zeros is not empty: merging points into it keeps the origin inside.
struct SAABBox {
  // Strict comparisons: a coordinate that is not a number leaves its axis unchanged.
  void Merge(const SVector3& point) {
    MergeAxis(MinX, MaxX, point.X);
    MergeAxis(MinY, MaxY, point.Y);
    MergeAxis(MinZ, MaxZ, point.Z);
  }

  void MergeVector(const SAABBox& other) {
    KORVEX_TRY
      Merge(SVector3{other.MinX, other.MinY, other.MinZ});
      Merge(SVector3{other.MaxX, other.MaxY, other.MaxZ});
    KORVEX_RETHROW("SAABBox::MergeVector", __FILE__)
  }

  float MinX = 0.0f;
  float MinY = 0.0f;
  float MinZ = 0.0f;
  float MaxX = 0.0f;
  float MaxY = 0.0f;
  float MaxZ = 0.0f;

 private:
  static void MergeAxis(float& minimum, float& maximum, float value) {
    if (minimum > value) minimum = value;
    if (value > maximum) maximum = value;
  }
};

}  // namespace SCore
