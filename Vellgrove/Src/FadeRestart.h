#pragma once

#include "SSpriteTransition.h"

namespace Vellgrove {

// Plays a sprite fade once from now on, in its direction (KorvexEngine::FadingIn or FadingOut).
void RestartFade(KorvexEngine::SSpriteTransition& fade, int mode);

}  // namespace Vellgrove
