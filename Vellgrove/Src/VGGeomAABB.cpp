#include "VGGeomAABB.h"

namespace Vellgrove {

namespace {

bool SpansMeet(float bMin, float bMax, float aMin, float aMax) { return bMax >= aMin && bMin <= aMax; }

}  // namespace

void VGGeomAABB::Set(const SCore::SVector3& position, const SCore::SVector3& halfSize) {
  Min = position;
  Max.X = halfSize.X + (halfSize.X + position.X);
  Max.Y = halfSize.Y + (halfSize.Y + position.Y);
  Max.Z = halfSize.Z + (halfSize.Z + position.Z);
}

boost::shared_ptr<VGGeometry> VGGeomAABB::Clone() {
  boost::shared_ptr<VGGeomAABB> copy(new VGGeomAABB);
  copy->Min = Min;
  copy->Max = Max;
  return copy;
}

bool BoxesOverlap(const VGGeomAABB& b, const VGGeomAABB& a) {
  return SpansMeet(b.Min.X, b.Max.X, a.Min.X, a.Max.X) && SpansMeet(b.Min.Y, b.Max.Y, a.Min.Y, a.Max.Y) &&
         SpansMeet(b.Min.Z, b.Max.Z, a.Min.Z, a.Max.Z);
}

}  // namespace Vellgrove
