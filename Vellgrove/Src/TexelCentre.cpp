#include "TexelCentre.h"

namespace Vellgrove {

float TexelCentre(float v, float n) { return float(int(v * n)) / n - 0.5f / n; }

}  // namespace Vellgrove
