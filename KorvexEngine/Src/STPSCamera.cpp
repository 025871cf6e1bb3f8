#include "STPSCamera.h"

#include "Platform/D3DX9.h"

namespace KorvexEngine {

STPSCamera::STPSCamera() : SCamera(1) {}

void STPSCamera::Orbit(float angle) {
  D3DXMATRIX r;
  D3DXMatrixRotationY(&r, angle);
  const SCore::SVector3 w{Eye.X - At.X, Eye.Y - At.Y, Eye.Z - At.Z};
  const float h = w.X * r._14 + w.Y * r._24 + w.Z * r._34 + r._44;
  const float x = (w.X * r._11 + w.Y * r._21 + w.Z * r._31 + r._41) / h;
  const float y = (w.X * r._12 + w.Y * r._22 + w.Z * r._32 + r._42) / h;
  const float z = (w.X * r._13 + w.Y * r._23 + w.Z * r._33 + r._43) / h;
  Eye = SCore::SVector3{At.X + x, At.Y + y, At.Z + z};
}

}  // namespace KorvexEngine
