#include "SCamera.h"

#include "srethrow.h"

#include "Platform/D3DX9.h"

#include <cassert>
#include <cmath>
#include <cstring>

namespace KorvexEngine {

namespace {

const char* const kSource = ".\\Src\\SCamera";

D3DXVECTOR3 Vector(const SCore::SVector3& v) { return D3DXVECTOR3(v.X, v.Y, v.Z); }

}  // namespace

SCamera::SCamera(SCameraType type) : Type(type) {}

SCamera::~SCamera() = default;

void SCamera::Create(const boost::shared_ptr<SCore::SViewport>& Viewport) {
  KORVEX_TRY
    assert(0 != Viewport.get() && "0 != Viewport.get()");
    m_Viewport = Viewport;
    m_RenderPass = Viewport->CreateRenderPass();
    LookAt();
  KORVEX_RETHROW("SCamera::Create()", kSource)
}

void SCamera::Set() {
  KORVEX_TRY
    assert(0 != m_RenderPass.get() && "0 != m_RenderPass.get()");
    assert(0 != m_Viewport.get() && "0 != m_Viewport.get()");
    LookAt();
    m_RenderPass->ApplyView();
  KORVEX_RETHROW("SCamera::Set()", kSource)
}

void SCamera::LookAt() {
  assert(0 != m_RenderPass.get() && "0 != m_RenderPass.get()");
  const D3DXVECTOR3 eye = Vector(Eye);
  const D3DXVECTOR3 at = Vector(At);
  const D3DXVECTOR3 up = Vector(Up);
  D3DXMATRIX view;
  D3DXMatrixLookAtRH(&view, &eye, &at, &up);
  std::memcpy(&m_RenderPass->View.f11, &view._11, 16 * sizeof(float));
}

bool SCamera::Travel(float distance, SCore::SVector3& travel) const {
  const SCore::SVector3 w{At.X - Eye.X, At.Y - Eye.Y, At.Z - Eye.Z};
  const float lengthSquared = w.X * w.X + w.Y * w.Y + w.Z * w.Z;
  // Without a length the direction would be NaN, and NaN would stay in the eye and the target.
  if (!(lengthSquared > 0.0f)) return false;
  const float reciprocal = 1.0f / std::sqrt(lengthSquared);
  const SCore::SVector3 direction{w.X * reciprocal, w.Y * reciprocal, w.Z * reciprocal};
  travel = SCore::SVector3{direction.X * distance, direction.Y * distance, direction.Z * distance};
  return true;
}

void SCamera::Shift(const SCore::SVector3& offset) {
  Eye = SCore::SVector3{Eye.X + offset.X, Eye.Y + offset.Y, Eye.Z + offset.Z};
  At = SCore::SVector3{At.X + offset.X, At.Y + offset.Y, At.Z + offset.Z};
}

void SCamera::MoveForward(float distance) {
  SCore::SVector3 v;
  if (Travel(distance, v)) Shift(v);
}

void SCamera::MoveBackward(float distance) {
  SCore::SVector3 v;
  if (Travel(distance, v)) Shift(SCore::SVector3{-v.X, -v.Y, -v.Z});
}

// A quarter turn of the direction about the z axis; its z part moves the camera along z as well.
void SCamera::StrafeLeft(float distance) {
  SCore::SVector3 v;
  if (Travel(distance, v)) Shift(SCore::SVector3{-v.Y, v.X, v.Z});
}

void SCamera::StrafeRight(float distance) {
  SCore::SVector3 v;
  if (Travel(distance, v)) Shift(SCore::SVector3{v.Y, -v.X, v.Z});
}

void SCamera::Orbit(float) {}

}  // namespace KorvexEngine
