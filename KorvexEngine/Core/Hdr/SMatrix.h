#pragma once

namespace SCore {

// Row after row, for row vectors: an affine transform keeps its translation in f41, f42, f43.
struct SMatrix {
  float f11 = 0.0f, f12 = 0.0f, f13 = 0.0f, f14 = 0.0f;
  float f21 = 0.0f, f22 = 0.0f, f23 = 0.0f, f24 = 0.0f;
  float f31 = 0.0f, f32 = 0.0f, f33 = 0.0f, f34 = 0.0f;
  float f41 = 0.0f, f42 = 0.0f, f43 = 0.0f, f44 = 0.0f;
};

}  // namespace SCore
