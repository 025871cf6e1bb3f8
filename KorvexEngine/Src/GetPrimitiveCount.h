#pragma once

namespace SCore {

// How many primitives of a Direct3D 9 primitive type a run of vertices or indices makes. A count
// too small for one primitive gives 0.
unsigned int GetPrimitiveCount(unsigned int primitiveType, unsigned int elementCount);

}  // namespace SCore
