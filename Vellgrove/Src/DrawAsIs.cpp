#include "DrawAsIs.h"

#include "smath_matrix.h"

namespace Vellgrove {

void DrawAsIs(KorvexEngine::SMesh& mesh) {
  static const SCore::SMatrix kIdentity = SCore::SMatrixIdentity();
  mesh.Render(&kIdentity);
}

}  // namespace Vellgrove
