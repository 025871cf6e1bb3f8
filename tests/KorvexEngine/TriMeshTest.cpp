#include "DocumentRoundTrip.h"
#include "DrawableTestSupport.h"
#include "MaterialXML.h"
#include "STriMesh.h"
#include "TriMeshTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstring>
#include <functional>
#include <future>
#include <memory>
#include <thread>
#include <vector>

namespace {

using KorvexEngine::STriMesh;
using TriMeshTest::MeshDocument;
using TriMeshTest::Vertex;
using TriMeshTest::kTriangle;
using TriMeshTest::WithEachReader;

class TriMeshes : public RenderTest::DrawableFixture {
 protected:
  STriMesh Mesh() {
    STriMesh mesh("Noname mesh");
    mesh.m_Viewport = viewport;
    mesh.DoCreate(viewport);
    return mesh;
  }

  // The "IndexSize" of the "TriMesh" in the reader's current element, which the reader stays in.
  static unsigned int WrittenIndexSize(SCore::SDeserializator& reader) {
    reader.DoBeginChild("TriMesh");
    reader.DoBeginChild("IndexData");
    unsigned int indexSize = 0;
    reader.DoDeserialize("IndexSize", indexSize);
    reader.DoEndChild();
    reader.DoEndChild();
    return indexSize;
  }

  // What a buffer holds, as records of its kind.
  template <typename Record, typename Buffer>
  static std::vector<Record> Contents(Buffer& buffer, size_t count) {
    std::vector<Record> records(count);
    void* data = nullptr;
    buffer.DoLock(0, 0, &data, 0);
    std::memcpy(records.data(), data, count * sizeof(Record));
    buffer.DoUnlock();
    return records;
  }

  static std::vector<Vertex> VerticesOf(STriMesh& mesh) {
    return Contents<Vertex>(*mesh.m_VertexBuffer, mesh.m_VertexBuffer->VertexCount);
  }

  static std::vector<WORD> IndicesOf(STriMesh& mesh) {
    return Contents<WORD>(*mesh.m_IndexBuffer, mesh.m_IndexBuffer->IndexCount);
  }
};

TEST_F(TriMeshes, WriteAndReadBackTheirNameVerticesIndicesMaterialAndBox) {
  const boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture("Wall.png");
  viewport->GetTextureManager()->AddTexture(texture);
  MeshDocument source;
  source.vertices = kTriangle;
  source.indices = {0, 1, 2};
  STriMesh first = Mesh();
  WithEachReader(source, [&](SCore::SDeserializator& reader) { first.DoDeserialize(reader); });
  first.Material.Texture1 = texture;

  XMLTestSupport::DocumentRoundTrip document;
  document.Write([&](SCore::SSerializator& writer) {
    writer.DoBeginChild("Scene");
    first.DoSerialize(writer);
    writer.DoEndChild();
  });
  document.ReadWithBoth([&](SCore::SDeserializator& reader) {
    reader.DoBeginChild("Scene");
    EXPECT_EQ(WrittenIndexSize(reader), 2u);
    for (int byIndex = 0; byIndex < 2; ++byIndex) {
      STriMesh read = Mesh();
      if (byIndex)
        read.DoDeserialize(reader, 0u);
      else
        read.DoDeserialize(reader);
      EXPECT_EQ(read.Name, "Box");
      EXPECT_EQ(VerticesOf(read), kTriangle);
      EXPECT_EQ(IndicesOf(read), (std::vector<WORD>{0, 1, 2}));
      EXPECT_EQ(read.m_VertexBuffer->PrimitiveType, 4);
      EXPECT_EQ(read.Material.Texture1, texture);
      EXPECT_EQ(read.Material.CullMode, 3u);
      EXPECT_EQ(read.AABB.MinY, -2.0f);
      EXPECT_EQ(read.AABB.MaxZ, 6.0f);
    }
    reader.DoEndChild();
  });
}

TEST_F(TriMeshes, ReadVerticesByPositionWhateverTheirElementNameAndConvertFittingWideIndices) {
  MeshDocument source;
  source.vertices = kTriangle;
  source.vertexElement = "Corner";
  source.indexSize = 4;
  source.indices = {2, 1, 0};
  WithEachReader(source, [&](SCore::SDeserializator& reader) {
    STriMesh mesh = Mesh();
    mesh.DoDeserialize(reader);
    EXPECT_EQ(VerticesOf(mesh), kTriangle);
    EXPECT_EQ(IndicesOf(mesh), (std::vector<WORD>{2, 1, 0}));
  });
}

TEST_F(TriMeshes, WriteThirtyTwoBitIndicesAsSuchWhichReadBackAsSixteenBits) {
  MeshDocument source;
  source.vertices = kTriangle;
  source.indices = {0, 1, 2};
  STriMesh written = Mesh();
  WithEachReader(source, [&](SCore::SDeserializator& reader) { written.DoDeserialize(reader); });
  written.m_IndexBuffer = viewport->DoCreateIndexBuffer(3, D3DFMT_INDEX32, D3DUSAGE_WRITEONLY);
  void* data = nullptr;
  written.m_IndexBuffer->DoLock(0, 0, &data, 0);
  const DWORD wide[3] = {2, 0, 1};
  std::memcpy(data, wide, sizeof wide);
  written.m_IndexBuffer->DoUnlock();

  XMLTestSupport::DocumentRoundTrip document;
  document.Write([&](SCore::SSerializator& writer) { written.DoSerialize(writer); });
  document.ReadWithBoth([&](SCore::SDeserializator& reader) {
    EXPECT_EQ(WrittenIndexSize(reader), 4u);
    STriMesh read = Mesh();
    read.DoDeserialize(reader);
    EXPECT_EQ(IndicesOf(read), (std::vector<WORD>{2, 0, 1}));
    EXPECT_EQ(read.m_IndexBuffer->ByteLength, 6u);
  });
}

TEST_F(TriMeshes, RefuseUnsoundDataKeepingTheirBuffersAndReleasingTheDevice) {
  struct Case {
    const char* what;
    std::function<void(MeshDocument&)> spoil;
    std::string failure;
  };
  const std::string context = " STriMesh::DoDeserialize() .\\Src\\STriMesh at:";
  const std::vector<Case> cases = {
      {"other vertex format", [](MeshDocument& d) { d.fvf = 322; }, "Unknown FVF type"},
      {"other vertex size", [](MeshDocument& d) { d.vertexSize = 24; }, "Vertex size is not supported"},
      {"odd index size", [](MeshDocument& d) { d.indexSize = 3; }, "Index size is not supported"},
      {"wide index too big", [](MeshDocument& d) { d.indexSize = 4, d.indices = {0, 70000, 1}; },
       "Index does not fit in 16 bits"},
      {"index past the vertices", [](MeshDocument& d) { d.indices = {0, 1, 3}; }, "Index is past the vertex count"},
      {"no vertices", [](MeshDocument& d) { d.vertices.clear(), d.indices.clear(); }, "the mesh has no vertices"},
      {"no indices", [](MeshDocument& d) { d.indices.clear(); }, "the mesh has no indices"},
  };
  MeshDocument good;
  good.vertices = kTriangle;
  good.indices = {0, 1, 2};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MeshDocument bad = good;
    bad.name = "Spoilt";
    c.spoil(bad);
    WithEachReader(bad, [&](SCore::SDeserializator& reader) {
      STriMesh mesh = Mesh();
      WithEachReader(good, [&](SCore::SDeserializator& goodReader) { mesh.DoDeserialize(goodReader); });
      const boost::shared_ptr<SCore::SVertexBuffer> vertices = mesh.m_VertexBuffer;
      EXPECT_EQ(RenderTest::FailureOf([&] { mesh.DoDeserialize(reader); }), c.failure + context);
      EXPECT_EQ(mesh.m_VertexBuffer, vertices);
      EXPECT_EQ(VerticesOf(mesh), kTriangle);
    });
  }
  const boost::shared_ptr<SCore::SRenderDevice> shared = device;
  auto free = std::async(std::launch::async, [shared] {
    shared->Lock();
    shared->Unlock();
  });
  EXPECT_EQ(free.wait_for(std::chrono::seconds(5)), std::future_status::ready);
}

TEST_F(TriMeshes, AnswerWholeTrianglesOfTheirIndicesAndABoxThatHoldsTheOrigin) {
  MeshDocument source;
  source.vertices = {{2.0f, 1.0f, 1.0f}, {3.0f, 2.0f, 1.5f}, {2.5f, 4.0f, 2.0f}, {2.25f, 3.0f, 1.0f}};
  source.indices = {0, 1, 2, 3, 2, 1, 0};
  WithEachReader(source, [&](SCore::SDeserializator& reader) {
    STriMesh mesh = Mesh();
    mesh.DoDeserialize(reader);
    const std::list<KorvexEngine::STriangle>& triangles = mesh.DoGetTriangles();
    ASSERT_EQ(triangles.size(), 2u);
    EXPECT_EQ(triangles.front().A.X, 2.0f);
    EXPECT_EQ(triangles.front().B.Y, 2.0f);
    EXPECT_EQ(triangles.front().C.Z, 2.0f);
    EXPECT_EQ(triangles.back().A.X, 2.25f);
    EXPECT_EQ(triangles.back().C.X, 3.0f);
    mesh.RefreshAABB();
    EXPECT_EQ(mesh.AABB.MinX, 0.0f);
    EXPECT_EQ(mesh.AABB.MaxX, 3.0f);
    EXPECT_EQ(mesh.AABB.MaxY, 4.0f);
    EXPECT_EQ(mesh.AABB.MaxZ, 2.0f);
  });
}

TEST_F(TriMeshes, WithoutDataRefuseToDrawOrWrite) {
  STriMesh mesh = Mesh();
  const SCore::SMatrix identity = SCore::SMatrixIdentity();
  EXPECT_EQ(RenderTest::FailureOf([&] { mesh.DoRender(&identity); }),
            "the mesh has no vertex or index data STriMesh::DoRender() .\\Src\\STriMesh at:");
  XMLTestSupport::DocumentRoundTrip document;
  document.Write([&](SCore::SSerializator& writer) {
    EXPECT_EQ(RenderTest::FailureOf([&] { mesh.DoSerialize(writer); }),
              "the mesh has no vertex or index data STriMesh::DoSerialize() .\\Src\\STriMesh at:");
  });
}

TEST_F(TriMeshes, DrawTheirTrianglesWhereTheTransformsPlaceThem) {
  MeshDocument source;
  // A square over the right half of the target, in clip space with identity transforms.
  source.vertices = {{0.0f, 1.0f, 0.5f}, {1.0f, 1.0f, 0.5f}, {1.0f, -1.0f, 0.5f}, {0.0f, -1.0f, 0.5f}};
  source.indices = {0, 1, 3, 1, 2, 3};
  STriMesh mesh = Mesh();
  WithEachReader(source, [&](SCore::SDeserializator& reader) { mesh.DoDeserialize(reader); });
  Prepare(mesh, White());
  const SCore::SMatrix identity = SCore::SMatrixIdentity();
  for (D3DTRANSFORMSTATETYPE state : {D3DTS_WORLD, D3DTS_VIEW, D3DTS_PROJECTION}) device->DoSetTransform(state, &identity);
  const std::vector<DWORD> pixels = Draw(mesh);
  EXPECT_EQ(Covered(pixels), (RenderTest::PixelBounds{kWidth / 2, 0, kWidth, kHeight}));
}

}  // namespace
