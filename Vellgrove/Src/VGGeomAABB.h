#pragma once

#include "VGGeometry.h"

namespace Vellgrove {

// An axis-aligned box from Min to Max.
class VGGeomAABB : public VGGeometry {
 public:
  static const int kType = 0;

  VGGeomAABB() : VGGeometry(kType) {}

  // Min is the position, Max the position plus twice the half size.
  void Set(const SCore::SVector3& position, const SCore::SVector3& halfSize) override;
  boost::shared_ptr<VGGeometry> Clone() override;

  SCore::SVector3 Min;
  SCore::SVector3 Max;
};

// Inclusive on every axis, z too: boxes that only touch overlap.
bool BoxesOverlap(const VGGeomAABB& b, const VGGeomAABB& a);

}  // namespace Vellgrove
