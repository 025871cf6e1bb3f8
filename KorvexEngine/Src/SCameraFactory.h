#pragma once

#include "SCamera.h"

#include <boost/shared_ptr.hpp>

namespace KorvexEngine {

class SCameraFactory {
 public:
  // An unknown type raises SEngineException "Unknown SCameraType".
  static boost::shared_ptr<SCamera> Create(SCameraType type);
};

}  // namespace KorvexEngine
