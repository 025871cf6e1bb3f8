#pragma once

#include "SMaterial.h"

namespace SCore {

// Bind one texture stage of a material: its filtration, its animator's current matrix as the
// texture transform, and the texture. A stage without a texture leaves the device's stage as it was.
// Called by the render device while it applies a material, under its lock.
void ApplyMaterialStage0(const SMaterial& material);
void ApplyMaterialStage1(const SMaterial& material);

}  // namespace SCore
