#pragma once

#include "SMatrix.h"
#include "SVector3.h"

namespace SCore {

struct STransformData {
  SVector3 Size;
  SVector3 Position;
  SMatrix Rotation;
};

}  // namespace SCore
