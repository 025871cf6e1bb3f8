#pragma once

#include "SViewport.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace SCore {

// Chooses the renderer by name; "D3D9Render" is the only one.
class SViewportFactory {
 public:
  static boost::shared_ptr<SViewport> CreateViewport(const std::string& rendererName);
};

}  // namespace SCore
