// The fixed-function vertex stage done on the CPU: reads vertices of a flexible vertex format,
// transforms them as Direct3D 9 does (viewport, pixel centres, texture transforms, fog, lighting
// without lights) and hands OpenGL clip-space vertices that need no further transform.
#pragma once

#include <cstdint>
#include <vector>

#include "D3D9States.h"

namespace Platform {
namespace D3D9 {

constexpr DWORD kDrawnStages = 2;

struct VertexLayout {
  bool pretransformed = false;
  bool hasNormal = false;
  int diffuseOffset = -1;
  int specularOffset = -1;
  UINT texOffset = 0;
  UINT texCount = 0;
  UINT size = 0;

  // False for formats the device cannot draw (no position, or more than one position kind).
  static bool Decode(DWORD fvf, VertexLayout* layout);
};

struct ProcessedVertices {
  std::vector<float> positions;       // x, y, z, w in OpenGL clip space
  std::vector<std::uint8_t> colours;  // r, g, b, a
  std::vector<float> texCoords[kDrawnStages];
  std::vector<float> fogCoords;  // 1 - fog factor, so that OpenGL's linear fog from 0 to 1 gives the factor
  void Resize(size_t count);
};

// Where a target's first row lies in OpenGL: the device's own targets keep Direct3D's order, top
// first; the window's framebuffer has its first row at the bottom.
enum class RowOrder : UINT { TopFirst, BottomFirst };

struct TargetSize {
  UINT width;
  UINT height;
  RowOrder rows;
};

// OpenGL samples pixel centres at half-integers, Direct3D 9 at integers. The extra shift of one
// sub-pixel step (what OpenGL snaps vertices to) moves edges that would pass exactly through a
// centre just up and to the left of it, which gives Direct3D's top-left fill rule whatever OpenGL's
// own rule. Takes the driver's GL_SUBPIXEL_BITS.
float PixelCentreShift(int subpixelBits);

class VertexProcessor {
 public:
  VertexProcessor(const DeviceStates& states, const VertexLayout& layout, TargetSize target, float centreShift);
  // Processes count vertices that lie stride bytes apart from data on.
  void Process(const BYTE* data, UINT stride, UINT count, ProcessedVertices* out) const;

 private:
  struct ScreenPosition {
    float x, y, z, w;  // homogeneous screen position: pixels times w, depth of 0 to 1 times w
    float viewDistance;
    float depth;
  };
  ScreenPosition TransformPosition(const float* position) const;
  ScreenPosition PretransformedPosition(const float* position) const;
  DWORD VertexColour(const BYTE* vertex) const;
  void TexCoords(const BYTE* vertex, DWORD stage, float* uv) const;
  float FogFactor(const BYTE* vertex, const ScreenPosition& position) const;
  void ToClipSpace(const ScreenPosition& position, float* out) const;

  const DeviceStates& m_states;
  const VertexLayout& m_layout;
  TargetSize m_target;
  float m_centreShift;
  D3DMATRIX m_worldView;
  D3DMATRIX m_worldViewProjection;
  bool m_perspective;
};

D3DMATRIX Multiply(const D3DMATRIX& left, const D3DMATRIX& right);

}  // namespace D3D9
}  // namespace Platform
