#include "VGGeometry.h"

#include "SEngineException.h"
#include "VGGeomAABB.h"

namespace Vellgrove {

boost::shared_ptr<VGGeometry> CreateGeometry(unsigned int type) {
  if (type != VGGeomAABB::kType) throw KorvexEngine::SEngineException("unknown VGGeom type");
  return boost::shared_ptr<VGGeometry>(new VGGeomAABB);
}

}  // namespace Vellgrove
