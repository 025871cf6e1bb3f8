// The world's physics: integration of a body, box placement, the box contact and its failures.
#include "KorvexCoreException.h"
#include "SXMLDeserializator.h"
#include "VGBody.h"
#include "VGCollider.h"
#include "VGGeomAABB.h"
#include "VGTile.h"

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <string>

using namespace Vellgrove;
using SCore::SVector3;

namespace {

VGGeomAABB Box(float minX, float minY, float maxX, float maxY, float minZ = 0.0f, float maxZ = 0.0f) {
  VGGeomAABB box;
  box.Min = {minX, minY, minZ};
  box.Max = {maxX, maxY, maxZ};
  return box;
}

std::string TileXml(const char* geometryType) {
  return std::string("<Tile ID=\"3\" GeomType=\"") + geometryType +
         "\"><HalfSize X=\"0.5\" Y=\"0.25\" Z=\"0\"></HalfSize><Body ID=\"4\" Mass=\"2\">"
         "<Position X=\"1\" Y=\"2\" Z=\"0\"></Position><Velocity X=\"0.5\" Y=\"0\" Z=\"0\"></Velocity>"
         "</Body></Tile>";
}

void ReadTile(VGTile& tile, const std::string& xml) {
  SCore::SXMLDeserializator reader;
  reader.DoParseText(xml);
  tile.Deserialize(reader);
}

}  // namespace

TEST(Physics, BodiesIntegrateSemiImplicitlyAndAlwaysUseUpTheirForce) {
  struct Case {
    const char* what;
    float mass;
    SVector3 velocity;
    SVector3 force;
    float dt;
    SVector3 wantVelocity;
    SVector3 wantPosition;
  };
  const Case cases[] = {
      {"mass 2 takes half the force", 2.0f, {1, 0, 0}, {4, 0, 0}, 0.5f, {2, 0, 0}, {2, 0, 0}},
      {"mass 0 never moves", 0.0f, {1, 1, 0}, {5, 5, 0}, 1.0f, {1, 1, 0}, {1, 0, 0}},
      {"negative mass never moves", -1.0f, {1, 0, 0}, {5, 0, 0}, 1.0f, {1, 0, 0}, {1, 0, 0}},
      {"dt 0 changes nothing", 1.0f, {1, 2, 0}, {3, 3, 0}, 0.0f, {1, 2, 0}, {1, 0, 0}},
      {"falling", 1.0f, {0, 0, 0}, {0, 0.98f, 0}, 0.01f, {0, 0.0098f, 0}, {1, 0.000098f, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    VGBody body;
    body.Mass = c.mass;
    body.Position = {1, 0, 0};
    body.Velocity = c.velocity;
    body.Force = c.force;
    body.Update(c.dt);
    EXPECT_FLOAT_EQ(body.Velocity.X, c.wantVelocity.X);
    EXPECT_FLOAT_EQ(body.Velocity.Y, c.wantVelocity.Y);
    EXPECT_FLOAT_EQ(body.Position.X, c.wantPosition.X);
    EXPECT_FLOAT_EQ(body.Position.Y, c.wantPosition.Y);
    EXPECT_EQ(body.Force.X, 0.0f);
    EXPECT_EQ(body.Force.Y, 0.0f);
  }
}

TEST(Physics, AFallFollowsTheClosedFormOfSemiImplicitSteps) {
  VGBody body;
  body.Position = {0, 0.25f, 0};
  for (int n = 1; n <= 300; ++n) {
    body.Force = {0, 0.98f, 0};
    body.Update(0.01f);
    ASSERT_NEAR(body.Velocity.Y, 0.0098 * n, 1e-5) << n;
    ASSERT_NEAR(body.Position.Y, 0.25 + 0.000098 * n * (n + 1) / 2, 1e-5) << n;
  }
}

TEST(Physics, ABoxSpansItsPositionToTwiceItsHalfSizeFurther) {
  VGGeomAABB box;
  box.Set({1, 2, 0}, {0.5f, 0.25f, 0});
  EXPECT_EQ(box.Min.X, 1.0f);
  EXPECT_EQ(box.Min.Y, 2.0f);
  EXPECT_EQ(box.Max.X, 2.0f);
  EXPECT_EQ(box.Max.Y, 2.5f);
  const boost::shared_ptr<VGGeometry> copy = box.Clone();
  EXPECT_EQ(copy->Type, 0);
  EXPECT_EQ(static_cast<VGGeomAABB&>(*copy).Max.Y, 2.5f);
}

TEST(Physics, TheContactLiesAlongTheSmallerOverlapFromTheFirstBoxToTheSecond) {
  struct Case {
    const char* what;
    VGGeomAABB a;
    VGGeomAABB b;
    float depth;
    float normalX;
    float normalY;
    float pointX;
    float pointY;
  };
  const Case cases[] = {
      {"overlap along x", Box(0, 0, 2, 2), Box(1.5f, 0.5f, 3.5f, 1.5f), 0.5f, 1, 0, 1.25f, 0.75f},
      {"from the other side", Box(1.5f, 0.5f, 3.5f, 1.5f), Box(0, 0, 2, 2), 0.5f, -1, 0, -1.25f, 0.75f},
      {"resting on top: normal down", Box(0, 0, 1, 1), Box(0.2f, 0.9f, 0.8f, 1.9f), 0.1f, 0, 1, 0.4f, 0.85f},
      {"touching edges overlap with depth 0", Box(0, 0, 1, 1), Box(1, 0, 2, 1), 0.0f, 1, 0, 1, 0.5f},
      {"equal overlaps choose x", Box(0, 0, 2, 2), Box(1, 1, 3, 3), 1.0f, 1, 0, 0.5f, 0.5f},
      {"equal centres: the smaller summed half size, positive", Box(0, 0, 4, 2), Box(1, 0.5f, 3, 1.5f), 1.5f, 0,
       1, 1.5f, 0.75f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    VGContact contact;
    ComputeBoxContact(c.a, c.b, contact);
    EXPECT_FLOAT_EQ(contact.Depth, c.depth);
    EXPECT_EQ(contact.NormalX, c.normalX);
    EXPECT_EQ(contact.NormalY, c.normalY);
    EXPECT_FLOAT_EQ(contact.PointX, c.pointX);
    EXPECT_FLOAT_EQ(contact.PointY, c.pointY);
  }
}

TEST(Physics, BoxesApartLeaveTheContactUntouched) {
  const VGGeomAABB cases[] = {Box(3, 0, 4, 1), Box(0, 1.01f, 1, 2), Box(0, 0, 1, 1, 0.5f, 0.5f)};
  for (const VGGeomAABB& b : cases) {
    VGContact contact;
    contact.Depth = -7.0f;
    ComputeBoxContact(Box(0, 0, 1, 1), b, contact);
    EXPECT_EQ(contact.Depth, -7.0f);
    EXPECT_FALSE(BoxesOverlap(b, Box(0, 0, 1, 1)));
  }
}

TEST(Physics, ATileReadsItsBodyAndBoxAndStepsThem) {
  VGTile tile;
  ReadTile(tile, TileXml("0"));
  EXPECT_EQ(tile.ID, 3u);
  EXPECT_EQ(tile.Body->ID, 4u);
  EXPECT_EQ(tile.Body->Mass, 2.0f);
  EXPECT_EQ(tile.HalfSize.Y, 0.25f);
  tile.Update(2.0f);
  EXPECT_EQ(tile.Body->Position.X, 2.0f);
  const VGGeomAABB& box = static_cast<const VGGeomAABB&>(*tile.Geometry);
  EXPECT_EQ(box.Min.X, 2.0f);
  EXPECT_EQ(box.Max.X, 3.0f);
  EXPECT_EQ(box.Max.Y, 2.5f);
}

TEST(Physics, UnknownGeometriesFailClearly) {
  VGTile tile;
  try {
    ReadTile(tile, TileXml("1"));
    FAIL() << "a tile of geometry type 1 was read";
  } catch (const SCore::KorvexCoreException& failure) {
    EXPECT_EQ(std::string(failure.what()).rfind("unknown VGGeom type", 0), 0u) << failure.what();
  }

  struct Sphere : VGGeometry {
    Sphere() : VGGeometry(1) {}
    void Set(const SVector3&, const SVector3&) override {}
    boost::shared_ptr<VGGeometry> Clone() override { return boost::make_shared<Sphere>(); }
  };
  VGTile box;
  box.Geometry = CreateGeometry(0);
  VGTile other;
  other.Geometry = boost::make_shared<Sphere>();
  VGCollider collider;
  VGContact contact;
  for (bool sphereFirst : {true, false}) {
    try {
      collider.Collide(sphereFirst ? other : box, contact, sphereFirst ? box : other);
      FAIL() << "a sphere collided";
    } catch (const SCore::KorvexCoreException& failure) {
      EXPECT_EQ(std::string(failure.what()).rfind("unknown VG Geom Type", 0), 0u) << failure.what();
    }
  }
}
