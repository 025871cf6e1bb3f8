#pragma once

#include "STextureAnimator.h"

#include <boost/shared_ptr.hpp>

namespace SCore {

// A new animator of the type (1 floating, 2 frame), to be filled by its DoDeserialize.
boost::shared_ptr<STextureAnimator> CreateTextureAnimator(int type);

}  // namespace SCore
