// The vertex layouts that drawables write into vertex buffers, each named by its vertex format code.
#pragma once

#include "Platform/D3D9.h"

namespace KorvexEngine {

struct SVertexXYZNormalTex1 {
  static constexpr DWORD Fvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
  float X, Y, Z;
  float NX, NY, NZ;
  float U, V;
};

struct SVertexXYZDiffuseTex1 {
  static constexpr DWORD Fvf = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;
  float X, Y, Z;
  DWORD Color;
  float U, V;
};

// Pre-transformed: X and Y are pixels of the render target.
struct SVertexXYZRHWDiffuseTex1 {
  static constexpr DWORD Fvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
  float X, Y, Z, RHW;
  DWORD Color;
  float U, V;
};

static_assert(sizeof(SVertexXYZNormalTex1) == 32 && SVertexXYZNormalTex1::Fvf == 0x112, "mesh vertex layout");
static_assert(sizeof(SVertexXYZDiffuseTex1) == 24 && SVertexXYZDiffuseTex1::Fvf == 0x142, "world vertex layout");
static_assert(sizeof(SVertexXYZRHWDiffuseTex1) == 28 && SVertexXYZRHWDiffuseTex1::Fvf == 0x144,
              "screen vertex layout");

}  // namespace KorvexEngine
