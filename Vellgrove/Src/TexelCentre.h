#pragma once

namespace Vellgrove {

// Puts a screen fraction on the centre of a pixel of the 1024 by 768 reference screen: n is 1024
// for x and 768 for y. The product is truncated toward zero.
float TexelCentre(float v, float n);

}  // namespace Vellgrove
