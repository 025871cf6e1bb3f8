#pragma once

#include "SVector3.h"

namespace SCore {
class SDeserializator;
}

namespace Vellgrove {

// A point mass: the body of a game object, or the level's camera. Position is the minimum corner of
// the owner's box; y grows downwards. A body of mass 0 or less never moves.
class VGBody {
 public:
  virtual ~VGBody() = default;

  // Semi-implicit Euler: the velocity takes the force first, the position the new velocity. The
  // force is used up by every step, moved or not.
  void Update(float dt);
  // Enters "Body" and reads "ID", "Mass", "Position" and "Velocity"; the force stays as it was.
  void Deserialize(SCore::SDeserializator& reader);

  unsigned int ID = 0;
  float Mass = 1.0f;
  SCore::SVector3 Position;
  SCore::SVector3 Velocity;
  SCore::SVector3 Force;
};

}  // namespace Vellgrove
