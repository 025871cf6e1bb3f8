#include "VGCollider.h"

#include "SEngineException.h"
#include "VGGeomAABB.h"
#include "VGTile.h"
#include "srethrow.h"

#include <cmath>

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGCollider";

void RequireBox(const VGTile& tile) {
  if (!tile.Geometry || tile.Geometry->Type != VGGeomAABB::kType) {
    throw KorvexEngine::SEngineException("unknown VG Geom Type");
  }
}

// B's centre moved back towards A by half the overlap along one axis.
float PointCoordinate(float d, float s) { return d > 0.0f ? d + 0.5f * s : d - 0.5f * s; }

float UnitTowards(float d) { return d >= 0.0f ? 1.0f : -1.0f; }

}  // namespace

void VGCollider::Collide(const VGTile& a, VGContact& contact, const VGTile& b) {
  KORVEX_TRY
    RequireBox(a);
    CollideWithAABB(a, contact, b);
  KORVEX_RETHROW("VGCollider::Collide()", kSource)
}

void VGCollider::CollideWithAABB(const VGTile& a, VGContact& contact, const VGTile& b) {
  KORVEX_TRY
    RequireBox(b);
    const boost::shared_ptr<VGGeometry> boxA = a.Geometry;
    const boost::shared_ptr<VGGeometry> boxB = b.Geometry;
    ComputeBoxContact(static_cast<const VGGeomAABB&>(*boxA), static_cast<const VGGeomAABB&>(*boxB), contact);
  KORVEX_RETHROW("VGCollider::CollideWithAABB()", kSource)
}

void ComputeBoxContact(const VGGeomAABB& a, const VGGeomAABB& b, VGContact& contact) {
  if (!BoxesOverlap(b, a)) return;
  const float halfAX = (a.Max.X - a.Min.X) * 0.5f;
  const float halfAY = (a.Max.Y - a.Min.Y) * 0.5f;
  const float halfBX = (b.Max.X - b.Min.X) * 0.5f;
  const float halfBY = (b.Max.Y - b.Min.Y) * 0.5f;
  const float dx = (b.Min.X + halfBX) - (a.Min.X + halfAX);
  const float dy = (b.Min.Y + halfBY) - (a.Min.Y + halfAY);
  const float sx = std::fabs(dx) - (halfAX + halfBX);
  const float sy = std::fabs(dy) - (halfAY + halfBY);
  contact.PointX = PointCoordinate(dx, sx);
  contact.PointY = PointCoordinate(dy, sy);
  contact.PointZ = 0.0f;
  const bool alongY = std::fabs(sy) < std::fabs(sx);
  contact.Depth = alongY ? std::fabs(sy) : std::fabs(sx);
  contact.NormalX = alongY ? 0.0f : UnitTowards(dx);
  contact.NormalY = alongY ? UnitTowards(dy) : 0.0f;
  contact.NormalZ = 0.0f;
}

}  // namespace Vellgrove
