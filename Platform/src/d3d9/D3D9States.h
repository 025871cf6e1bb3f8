// Everything a device remembers between calls that decides how it draws, with Direct3D 9's
// defaults as a new or reset device has them.
#pragma once

#include <array>

#include "Platform/D3D9.h"

namespace Platform {
namespace D3D9 {

constexpr DWORD kStageCount = 8;
constexpr DWORD kSamplerCount = 16;
constexpr DWORD kRenderStateLimit = 256;
constexpr DWORD kStageStateLimit = 33;
constexpr DWORD kSamplerStateLimit = 14;
constexpr DWORD kWorldMatrixCount = 256;

D3DMATRIX IdentityMatrix();
DWORD FloatBits(float value);
float BitsFloat(DWORD bits);

struct DeviceStates {
  std::array<DWORD, kRenderStateLimit> render{};
  DWORD stage[kStageCount][kStageStateLimit]{};
  DWORD sampler[kSamplerCount][kSamplerStateLimit]{};
  std::array<D3DMATRIX, kWorldMatrixCount> world{};
  D3DMATRIX view{};
  D3DMATRIX projection{};
  D3DMATRIX texture[kStageCount]{};
  D3DVIEWPORT9 viewport{};
  DWORD fvf = 0;

  // Back to what a device has after creation or Reset, with a viewport over the whole target.
  void SetDefaults(bool autoDepthStencil, UINT targetWidth, UINT targetHeight);

  static bool IsRenderState(DWORD state);
  static bool IsStageState(DWORD type);
  static bool IsSamplerState(DWORD type);

  // The matrix a transform state names, or null for a state Direct3D 9 does not know.
  D3DMATRIX* Transform(DWORD state);
};

}  // namespace D3D9
}  // namespace Platform
