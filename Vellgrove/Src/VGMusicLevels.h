// The music player's levels in hundredths of a decibel, computed in 32-bit floats.
#pragma once

#include "Platform/Win32Types.h"

namespace Vellgrove {

// While playing: truncate(ln(1 + (1 - volume) * 1.7) * -10000); 1.0 is 0, 0.5 is -6151, 0.0 is -9932.
long PlayLevel(float volume);
// How far a fade has gone: elapsed / duration, 1 or more when it is over.
float FadeProgress(DWORD elapsed, DWORD duration);
// A straight line from (volume - 1) * 10000 at progress 0 down to -10000 at 1.
long FadeLevel(float progress, float volume);

}  // namespace Vellgrove
