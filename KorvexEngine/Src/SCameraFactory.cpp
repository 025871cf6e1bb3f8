#include "SCameraFactory.h"

#include "SEngineException.h"
#include "STPSCamera.h"

#include <boost/make_shared.hpp>

namespace KorvexEngine {

boost::shared_ptr<SCamera> SCameraFactory::Create(SCameraType type) {
  switch (type) {
    case 0:
      return boost::make_shared<SCamera>(0);
    case 1:
      return boost::make_shared<STPSCamera>();
    default:
      throw SEngineException("Unknown SCameraType");
  }
}

}  // namespace KorvexEngine
