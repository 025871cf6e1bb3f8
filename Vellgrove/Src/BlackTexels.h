#pragma once

#include "STexture.h"

namespace Vellgrove {

// Writes black with the given alpha into the first texels of the first row of the texture "BLACK"
// (at most four, fewer when the row is narrower), which full-screen overlays stretch over the
// screen. A texture that is not A8R8G8B8 is refused before a byte is written.
void WriteBlackAlpha(SCore::STexture& black, int alpha);

}  // namespace Vellgrove
