#include "GetPrimitiveCount.h"

#include "KorvexCoreException.h"

namespace SCore {

namespace {

// Elements per primitive, and how many more a strip or fan needs before its first primitive.
struct SPrimitiveShape {
  unsigned int perPrimitive;
  unsigned int leadingElements;
};

const SPrimitiveShape kShapes[] = {
    {1, 0},  // point list
    {2, 0},  // line list
    {1, 1},  // line strip
    {3, 0},  // triangle list
    {1, 2},  // triangle strip
    {1, 2},  // triangle fan
};

}  // namespace

unsigned int GetPrimitiveCount(unsigned int primitiveType, unsigned int elementCount) {
  if (primitiveType < 1 || primitiveType > 6) throw KorvexCoreException("Primitivew type is not supported");
  const SPrimitiveShape& shape = kShapes[primitiveType - 1];
  if (elementCount < shape.leadingElements) return 0;
  return (elementCount - shape.leadingElements) / shape.perPrimitive;
}

}  // namespace SCore
