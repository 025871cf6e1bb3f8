#pragma once

#include "SSprite.h"
#include "SSpriteTransition.h"

#include <boost/shared_ptr.hpp>

namespace Vellgrove {

// A sprite a tutorial script showed by name, with the fade that shows and hides it.
struct VGLevelTrainerNamedSprite {
  boost::shared_ptr<KorvexEngine::SSpriteTransition> Transition;
  boost::shared_ptr<KorvexEngine::SSprite> Sprite;
};

}  // namespace Vellgrove
