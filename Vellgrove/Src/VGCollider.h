#pragma once

#include "VGContact.h"

namespace Vellgrove {

class VGGeomAABB;
class VGTile;

// Box-against-box tests between tiles. Stateless.
class VGCollider {
 public:
  virtual ~VGCollider() = default;

  // Writes the contact only when the tiles' boxes overlap; either geometry not a box raises
  // "unknown VG Geom Type".
  void Collide(const VGTile& a, VGContact& contact, const VGTile& b);
  void CollideWithAABB(const VGTile& a, VGContact& contact, const VGTile& b);
};

void ComputeBoxContact(const VGGeomAABB& a, const VGGeomAABB& b, VGContact& contact);

}  // namespace Vellgrove
