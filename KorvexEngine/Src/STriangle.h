#pragma once

#include "SVector3.h"

namespace KorvexEngine {

// Corner positions in the order of the index triple they come from.
struct STriangle {
  SCore::SVector3 A;
  SCore::SVector3 B;
  SCore::SVector3 C;
};

}  // namespace KorvexEngine
