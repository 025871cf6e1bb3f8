#pragma once

#include "SVector3.h"

#include <boost/shared_ptr.hpp>

namespace Vellgrove {

// Collision geometry of a tile. The box (type 0) is the only kind there is.
class VGGeometry {
 public:
  explicit VGGeometry(int type) : Type(type) {}
  virtual ~VGGeometry() = default;

  // Places the geometry at the minimum corner `position` with the given half extents.
  virtual void Set(const SCore::SVector3& position, const SCore::SVector3& halfSize) = 0;
  virtual boost::shared_ptr<VGGeometry> Clone() = 0;

  int Type;
};

// The box for type 0, both corners zero; any other type raises "unknown VGGeom type".
boost::shared_ptr<VGGeometry> CreateGeometry(unsigned int type);

}  // namespace Vellgrove
