#include "DocumentRoundTrip.h"
#include "RenderTestSupport.h"
#include "SMesh.h"
#include "STransformation.h"
#include "smath_matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using SCore::SAABBox;
using SCore::SMatrix;
using SCore::SVector3;

void ExpectMatrixEq(const SMatrix& actual, const SMatrix& expected) {
  const float* a = &actual.f11;
  const float* e = &expected.f11;
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(a[i], e[i]) << "element " << i;
}

SMatrix Diagonal(float x, float y, float z) {
  SMatrix m = SCore::SMatrixIdentity();
  m.f11 = x;
  m.f22 = y;
  m.f33 = z;
  return m;
}

SMatrix MovedBy(SMatrix m, float x, float y, float z) {
  m.f41 = x;
  m.f42 = y;
  m.f43 = z;
  return m;
}

SMatrix RotationZ(float angle) {
  SMatrix m = SCore::SMatrixIdentity();
  m.f11 = std::cos(angle);
  m.f12 = std::sin(angle);
  m.f21 = -std::sin(angle);
  m.f22 = std::cos(angle);
  return m;
}

TEST(Transformation, StartsAsTheIdentity) {
  KorvexEngine::STransformation transformation;
  SMatrix world;
  ExpectMatrixEq(*transformation.GetWorldMatrix(&world), SCore::SMatrixIdentity());
}

TEST(Transformation, ScalesThenRotatesThenMovesAndCachesTheResult) {
  KorvexEngine::STransformation transformation;
  transformation.Position = SVector3{1.0f, 2.0f, 3.0f};
  transformation.Rotation = RotationZ(0.5f);
  transformation.Scale = SVector3{2.0f, 1.0f, 1.0f};
  transformation.Dirty = 1;

  SMatrix scaled;
  const SMatrix scaling = Diagonal(2.0f, 1.0f, 1.0f);
  const SMatrix rotation = RotationZ(0.5f);
  SCore::SMatrixMultiply(&scaled, &scaling, &rotation);
  const SMatrix expected = MovedBy(scaled, 1.0f, 2.0f, 3.0f);
  SMatrix world;
  ExpectMatrixEq(*transformation.GetWorldMatrix(&world), expected);
  EXPECT_EQ(transformation.Dirty, 0);
  // diag(2, 1, 1) x R doubles R's first row; R x diag(2, 1, 1) would double its first column.
  EXPECT_FLOAT_EQ(world.f12, 2.0f * std::sin(0.5f));
  EXPECT_FLOAT_EQ(world.f21, -std::sin(0.5f));

  transformation.Scale = SVector3{5.0f, 5.0f, 5.0f};  // no Dirty: the cache answers
  ExpectMatrixEq(*transformation.GetWorldMatrix(&world), expected);
}

class TransformationXML : public ::testing::Test {
 protected:
  XMLTestSupport::DocumentRoundTrip document;
};

TEST_F(TransformationXML, RoundTripsThroughBothReadersAndMarksTheCacheStale) {
  KorvexEngine::STransformation written;
  written.Position = SVector3{1.0f, 2.0f, 3.0f};
  written.Scale = SVector3{2.0f, 2.0f, 2.0f};
  document.Write([&](SCore::SSerializator& writer) {
    writer.DoBeginChild("Root");
    written.DoSerialize(writer);
    written.DoSerialize(writer);
    writer.DoEndChild();
  });
  document.ReadWithBoth([&](SCore::SDeserializator& reader) {
    reader.DoBeginChild("Root");
    for (int byIndex = 0; byIndex < 2; ++byIndex) {
      KorvexEngine::STransformation read;
      SMatrix cached;
      read.GetWorldMatrix(&cached);
      if (byIndex)
        read.DoDeserialize(reader, 1u);
      else
        read.DoDeserialize(reader);
      EXPECT_EQ(read.Dirty, 1);
      SMatrix world;
      ExpectMatrixEq(*read.GetWorldMatrix(&world), MovedBy(Diagonal(2.0f, 2.0f, 2.0f), 1.0f, 2.0f, 3.0f));
      EXPECT_EQ(read.Dirty, 0);
    }
    reader.DoEndChild();
  });
}

TEST_F(TransformationXML, AFailedReadKeepsEveryValueAndTheFlag) {
  document.Write([&](SCore::SSerializator& writer) {
    writer.DoBeginChild("Transform");
    writer.DoSerialize("Position", SVector3{7.0f, 7.0f, 7.0f});
    writer.DoSerialize("Rotation", Diagonal(3.0f, 3.0f, 3.0f));
    writer.DoEndChild();  // no "Scale"
  });
  document.ReadWithBoth([&](SCore::SDeserializator& reader) {
    KorvexEngine::STransformation read;
    EXPECT_THROW(read.DoDeserialize(reader), SCore::KorvexCoreException);
    EXPECT_EQ(read.Position.X, 0.0f);
    EXPECT_EQ(read.Rotation.f11, 1.0f);
    EXPECT_EQ(read.Dirty, 0);
  });
}

TEST(BoundingBox, MergesPointsAndBoxesKeepingTheOriginOfAZeroBox) {
  SAABBox box;
  box.Merge(SVector3{5.0f, -1.0f, 2.0f});
  EXPECT_EQ(box.MinX, 0.0f);
  EXPECT_EQ(box.MinY, -1.0f);
  EXPECT_EQ(box.MinZ, 0.0f);
  EXPECT_EQ(box.MaxX, 5.0f);
  EXPECT_EQ(box.MaxY, 0.0f);
  EXPECT_EQ(box.MaxZ, 2.0f);

  const float nan = std::numeric_limits<float>::quiet_NaN();
  box.Merge(SVector3{nan, nan, nan});
  EXPECT_EQ(box.MinY, -1.0f);
  EXPECT_EQ(box.MaxX, 5.0f);

  SAABBox unit{0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f};
  unit.MergeVector(SAABBox{1.0f, 1.0f, 1.0f, 2.0f, 2.0f, 2.0f});
  EXPECT_EQ(unit.MinX + unit.MinY + unit.MinZ, 0.0f);
  EXPECT_EQ(unit.MaxX, 2.0f);
  EXPECT_EQ(unit.MaxY, 2.0f);
  EXPECT_EQ(unit.MaxZ, 2.0f);
}

// Counts its draws, so that a test sees whether Render reached it.
class CountingMesh : public KorvexEngine::SMesh {
 public:
  CountingMesh() : SMesh("Counting") {}
  void DoSerialize(SCore::SSerializator&) override {}
  void DoDeserialize(SCore::SDeserializator&, unsigned int) override {}
  void DoDeserialize(SCore::SDeserializator&) override {}
  void DoCreate(const boost::shared_ptr<SCore::SViewport>&) override {}
  void DoRender(const SMatrix*) override { ++draws; }
  void RefreshAABB() override {}
  const std::string& GetTypeName() override { return name; }
  std::list<KorvexEngine::STriangle>& DoGetTriangles() override { return Triangles; }
  int draws = 0;
  std::string name = "Counting";
};

class MeshRender : public RenderTest::RenderFixture {};

TEST_F(MeshRender, AppliesTheMaterialThenDrawsOnlyWhenVisible) {
  CreateWindowed();
  CountingMesh mesh;
  EXPECT_TRUE(mesh.Triangles.empty());
  EXPECT_EQ(mesh.AABB.MinX + mesh.AABB.MaxX + mesh.AABB.MaxY + mesh.AABB.MaxZ, 0.0f);
  mesh.m_Viewport = viewport;
  mesh.Material.CullMode = 2;
  const SMatrix identity = SCore::SMatrixIdentity();

  mesh.Visible = false;
  mesh.Render(&identity);
  EXPECT_EQ(mesh.draws, 0);
  EXPECT_EQ(device->CurrentMaterial.CullMode, 1u);

  mesh.Visible = true;
  mesh.Render(&identity);
  EXPECT_EQ(mesh.draws, 1);
  EXPECT_EQ(device->CurrentMaterial.CullMode, 2u);
}

}  // namespace
