// Row-major 4x4 products for row vectors: a x b applies a first, then b.
#pragma once

#include "SMatrix.h"

#include <cassert>

namespace SCore {

// out is written while a and b are still read, so it must be neither of them.
inline SMatrix* SMatrixMultiply(SMatrix* out, const SMatrix* a, const SMatrix* b) {
  const float* left = &a->f11;
  const float* right = &b->f11;
  float* result = &out->f11;
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column)
      result[row * 4 + column] = left[row * 4 + 0] * right[0 * 4 + column] + left[row * 4 + 1] * right[1 * 4 + column] +
                                 left[row * 4 + 2] * right[2 * 4 + column] + left[row * 4 + 3] * right[3 * 4 + column];
  return out;
}

inline SMatrix* SMatrixTranslation(SMatrix* pMatrix, float x, float y, float z) {
  assert(pMatrix != 0 && "pMatrix != 0");
  *pMatrix = SMatrix{};
  pMatrix->f11 = pMatrix->f22 = pMatrix->f33 = pMatrix->f44 = 1.0f;
  pMatrix->f41 = x;
  pMatrix->f42 = y;
  pMatrix->f43 = z;
  return pMatrix;
}

inline SMatrix SMatrixIdentity() {
  SMatrix identity;
  return *SMatrixTranslation(&identity, 0.0f, 0.0f, 0.0f);
}

}  // namespace SCore
