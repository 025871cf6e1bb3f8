// Puts the device's render, texture-stage and sampler states into OpenGL before a draw.
#pragma once

#include "D3D9States.h"
#include "D3D9VertexProcessor.h"

namespace Platform {
namespace D3D9 {

class Texture9;
class TexturePage;

struct DrawSetup {
  const DeviceStates* states;
  Texture9* const* stageTextures;  // kDrawnStages entries, null for none
  const bool* inPage;              // kDrawnStages entries: whether the stage samples the texture page
  TexturePage* page;
  unsigned whiteTexture;           // what a stage without a texture samples
  bool pretransformed;
  TargetSize target;
};

// With the device's context current. When the fixed states (everything but the textures) are
// those of the previous draw and nothing touched OpenGL since, only the textures are bound.
void ApplyDrawState(const DrawSetup& setup, bool fixedStatesCurrent);

bool StageEnabled(const DeviceStates& states, DWORD stage);

// Limits drawing to the rectangle from (left, top) to (right, bottom) in Direct3D's pixels.
void ScissorRows(TargetSize target, LONG left, LONG top, LONG right, LONG bottom);

}  // namespace D3D9
}  // namespace Platform
