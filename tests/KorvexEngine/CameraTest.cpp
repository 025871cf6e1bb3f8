#include "DrawableTestSupport.h"
#include "SCameraFactory.h"
#include "STPSCamera.h"
#include "TriMeshTestSupport.h"

#include "Platform/D3DX9.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using KorvexEngine::SCamera;
using KorvexEngine::SCameraFactory;
using SCore::SVector3;

void ExpectNear(const SVector3& actual, const SVector3& expected) {
  EXPECT_NEAR(actual.X, expected.X, 1e-6);
  EXPECT_NEAR(actual.Y, expected.Y, 1e-6);
  EXPECT_NEAR(actual.Z, expected.Z, 1e-6);
}

TEST(Cameras, AreMadeByKindLookingFromBehindTheOriginWithYUp) {
  for (KorvexEngine::SCameraType type : {0u, 1u}) {
    const boost::shared_ptr<SCamera> camera = SCameraFactory::Create(type);
    EXPECT_EQ(camera->Type, type);
    EXPECT_EQ(type == 1, dynamic_cast<KorvexEngine::STPSCamera*>(camera.get()) != nullptr);
    ExpectNear(camera->Eye, SVector3{0.0f, 0.0f, -1.0f});
    ExpectNear(camera->At, SVector3{0.0f, 0.0f, 0.0f});
    ExpectNear(camera->Up, SVector3{0.0f, 1.0f, 0.0f});
  }
  EXPECT_EQ(RenderTest::FailureOf([] { SCameraFactory::Create(2); }), "Unknown SCameraType");
}

TEST(Cameras, MoveAndStrafeTheEyeAndTheTargetTogetherAlongTheViewDirection) {
  struct Case {
    const char* what;
    SVector3 eye, at;
    std::function<void(SCamera&)> move;
    SVector3 offset;
  };
  const SVector3 origin{0.0f, 0.0f, 0.0f};
  const SVector3 behind{0.0f, 0.0f, -1.0f};
  const SVector3 onX{1.0f, 0.0f, 0.0f};
  const std::vector<Case> cases = {
      {"forward", behind, origin, [](SCamera& c) { c.MoveForward(2.0f); }, {0.0f, 0.0f, 2.0f}},
      {"backward", behind, origin, [](SCamera& c) { c.MoveBackward(2.0f); }, {0.0f, 0.0f, -2.0f}},
      {"forward by an unnormalised view", {0.0f, 3.0f, 0.0f}, {0.0f, 0.0f, 4.0f},
       [](SCamera& c) { c.MoveForward(5.0f); }, {0.0f, -3.0f, 4.0f}},
      {"strafe left looking along z", behind, origin, [](SCamera& c) { c.StrafeLeft(1.0f); }, {0.0f, 0.0f, 1.0f}},
      {"strafe right looking along -x", onX, origin, [](SCamera& c) { c.StrafeRight(1.0f); }, {0.0f, 1.0f, 0.0f}},
      {"strafe left looking along -x", onX, origin, [](SCamera& c) { c.StrafeLeft(1.0f); }, {0.0f, -1.0f, 0.0f}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SCamera camera;
    camera.Eye = c.eye;
    camera.At = c.at;
    c.move(camera);
    ExpectNear(camera.Eye, SVector3{c.eye.X + c.offset.X, c.eye.Y + c.offset.Y, c.eye.Z + c.offset.Z});
    ExpectNear(camera.At, SVector3{c.at.X + c.offset.X, c.at.Y + c.offset.Y, c.at.Z + c.offset.Z});
  }
}

TEST(Cameras, WhoseEyeIsTheirTargetStayWhereTheyAre) {
  const std::vector<std::function<void(SCamera&)>> moves = {
      [](SCamera& c) { c.MoveForward(1.0f); }, [](SCamera& c) { c.MoveBackward(1.0f); },
      [](SCamera& c) { c.StrafeLeft(1.0f); }, [](SCamera& c) { c.StrafeRight(1.0f); }};
  for (const auto& move : moves) {
    SCamera camera;
    camera.Eye = camera.At = SVector3{1.0f, 2.0f, 3.0f};
    move(camera);
    ExpectNear(camera.Eye, SVector3{1.0f, 2.0f, 3.0f});
    ExpectNear(camera.At, SVector3{1.0f, 2.0f, 3.0f});
  }
}

TEST(Cameras, OnlyTheThirdPersonCameraOrbitsItsEyeAboutTheTarget) {
  KorvexEngine::STPSCamera orbiting;
  orbiting.At = SVector3{1.0f, 0.0f, 0.0f};
  orbiting.Eye = SVector3{1.0f, 0.5f, -1.0f};
  orbiting.Orbit(float(M_PI / 2));
  ExpectNear(orbiting.Eye, SVector3{0.0f, 0.5f, 0.0f});
  ExpectNear(orbiting.At, SVector3{1.0f, 0.0f, 0.0f});

  SCamera still;
  still.Orbit(float(M_PI / 2));
  ExpectNear(still.Eye, SVector3{0.0f, 0.0f, -1.0f});
}

class CameraViews : public RenderTest::DrawableFixture {};

TEST_F(CameraViews, SetOnlyTheViewTransformToTheLookAtOfTheirVectors) {
  SCamera camera;
  camera.Eye = SVector3{1.0f, 2.0f, 3.0f};
  camera.At = SVector3{0.0f, 1.0f, 0.0f};
  camera.Create(viewport);
  camera.Eye = SVector3{4.0f, 2.0f, 3.0f};
  SCore::SMatrix world = SCore::SMatrixIdentity();
  world.f41 = 7.0f;
  device->DoSetTransform(D3DTS_WORLD, &world);
  camera.Set();

  const D3DXVECTOR3 eye(4.0f, 2.0f, 3.0f), at(0.0f, 1.0f, 0.0f), up(0.0f, 1.0f, 0.0f);
  D3DXMATRIX expected;
  D3DXMatrixLookAtRH(&expected, &eye, &at, &up);
  SCore::SMatrix view;
  device->DoGetTransform(&view, D3DTS_VIEW);
  EXPECT_EQ(std::memcmp(&view.f11, &expected._11, sizeof view), 0);
  SCore::SMatrix after;
  EXPECT_EQ(device->DoGetTransform(&after, D3DTS_WORLD)->f41, 7.0f);
}

TEST_F(CameraViews, ShowAMeshInFrontOfThemAndLoseItWhenTheyStrafeAway) {
  TriMeshTest::MeshDocument square;
  square.vertices = TriMeshTest::kSquareAcrossX;
  square.indices = TriMeshTest::kSquareIndices;
  KorvexEngine::STriMesh mesh("Noname mesh");
  TriMeshTest::LoadMesh(mesh, viewport, square);
  Prepare(mesh, White());
  mesh.Material.CullMode = D3DCULL_NONE;
  TriMeshTest::SetPerspective(*device, float(kWidth) / kHeight);
  const SCore::SMatrix identity = SCore::SMatrixIdentity();
  device->DoSetTransform(D3DTS_WORLD, &identity);

  SCamera camera;
  camera.Eye = SVector3{5.0f, 0.0f, 0.0f};
  camera.Create(viewport);
  camera.Set();
  std::vector<DWORD> pixels = Draw(mesh);
  EXPECT_EQ(At(pixels, kWidth / 2, kHeight / 2), 0xFFFFFFFFu);
  EXPECT_EQ(At(pixels, 0, 0), kBlack);
  const RenderTest::PixelBounds square2d = Covered(pixels);
  EXPECT_EQ(square2d.right - square2d.left, square2d.bottom - square2d.top) << square2d;

  camera.StrafeRight(3.0f);  // looking along -x, the right strafe goes up
  camera.Set();
  pixels = Draw(mesh);
  EXPECT_EQ(At(pixels, kWidth / 2, kHeight / 2), kBlack);
  EXPECT_GT(Covered(pixels).top, kHeight / 2);
}

}  // namespace
