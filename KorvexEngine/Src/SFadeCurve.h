// The quarter sine that fades run along, shared by the sprite and the texture-font transitions.
#pragma once

#include "Platform/Win32Types.h"

#include <cmath>

namespace KorvexEngine {

// 0 fading out, 1 fading in, 2 faded out, 3 faded in.
enum SFadeMode { FadingOut = 0, FadingIn = 1, FadedOut = 2, FadedIn = 3 };

// The fraction of the fade reached after the elapsed time; a fade that has run past its time ends
// in its final mode. The curve uses 1.57 rather than pi / 2, so at exactly the fade time it stops
// one step short of its end.
inline float AdvanceFade(DWORD elapsedMilliseconds, float fadeTime, int& mode) {
  const float t = float(elapsedMilliseconds) / fadeTime;
  if (t > 1.0f) {
    if (mode == FadingOut) mode = FadedOut;
    if (mode == FadingIn) mode = FadedIn;
  }
  return std::sin(float(1.57f * t));
}

}  // namespace KorvexEngine
