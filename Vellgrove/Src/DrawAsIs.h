#pragma once

#include "SMesh.h"

namespace Vellgrove {

// Draws a drawable where it stands, through the identity transform: its material on the device,
// then the mesh (nothing when it is hidden).
void DrawAsIs(KorvexEngine::SMesh& mesh);

}  // namespace Vellgrove
