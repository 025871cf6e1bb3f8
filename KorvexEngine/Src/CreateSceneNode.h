#pragma once

#include "SSceneNodeBase.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace KorvexEngine {

// A node of the kind; an unknown kind raises SEngineException "Unknown SSceneNodeType".
boost::shared_ptr<SSceneNodeBase> CreateSceneNode(SSceneNodeType type, const std::string& name);

}  // namespace KorvexEngine
