#pragma once

#include "SVector3.h"
#include "VGBody.h"
#include "VGGeometry.h"

#include <boost/shared_ptr.hpp>

namespace SCore {
class SDeserializator;
}

namespace Vellgrove {

// The physics part of a game object: its body and its box of the given half extents.
class VGTile {
 public:
  virtual ~VGTile() = default;

  // Steps the body, then moves the geometry to it.
  void Update(float dt);
  // Enters "Tile": "ID", "HalfSize", "GeomType"; a new geometry of that type and a new body read
  // from "Body" replace the old ones. The box is placed at the next Update.
  void Deserialize(SCore::SDeserializator& reader);

  unsigned int ID = 0;
  SCore::SVector3 HalfSize;
  boost::shared_ptr<VGGeometry> Geometry;
  boost::shared_ptr<VGBody> Body;
};

}  // namespace Vellgrove
