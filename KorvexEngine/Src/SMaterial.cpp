#include "SMaterial.h"

namespace SCore {

SMaterial& CopyMaterial(const SMaterial& source, SMaterial& target) {
  const int colorOp = target.ColorOp;
  const int alphaOp = target.AlphaOp;
  target = source;
  target.ColorOp = colorOp;
  target.AlphaOp = alphaOp;
  return target;
}

}  // namespace SCore
