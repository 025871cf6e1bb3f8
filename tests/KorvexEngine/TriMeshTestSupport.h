// The "TriMesh" element as a file holds it, written by hand so that tests can also spoil it.
#pragma once

#include "DocumentRoundTrip.h"
#include "MaterialXML.h"
#include "SRenderDevice.h"
#include "STriMesh.h"

#include "Platform/D3DX9.h"
#include "SSerializator.h"

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace TriMeshTest {

using Vertex = std::array<float, 8>;  // X, Y, Z, NX, NY, NZ, U, V

struct MeshDocument {
  std::vector<Vertex> vertices;
  std::vector<unsigned int> indices;
  unsigned int fvf = 274;
  unsigned int vertexSize = 32;
  unsigned int indexSize = 2;
  std::string vertexElement = "Vertex";
  std::string name = "Box";

  void Write(SCore::SSerializator& writer) const {
    static const char* const kFields[8] = {"X", "Y", "Z", "NX", "NY", "NZ", "U", "V"};
    writer.DoBeginChild("TriMesh");
    writer.DoSerialize("Name", name);
    writer.DoBeginChild("VertexData");
    writer.DoSerialize("VertexSize", vertexSize);
    writer.DoSerialize("FVF", fvf);
    writer.DoSerialize("PrimType", 4u);
    for (const Vertex& vertex : vertices) {
      writer.DoBeginChild(vertexElement);
      for (int i = 0; i < 8; ++i) writer.DoSerialize(kFields[i], vertex[i]);
      writer.DoEndChild();
    }
    writer.DoEndChild();
    writer.DoBeginChild("IndexData");
    writer.DoSerialize("IndexSize", indexSize);
    for (unsigned int index : indices) {
      writer.DoBeginChild("Index");
      if (indexSize == 2)
        writer.DoSerialize("I", static_cast<unsigned short>(index));
      else
        writer.DoSerialize("I", index);
      writer.DoEndChild();
    }
    writer.DoEndChild();
    SCore::SMaterial material;
    material.CullMode = 3;
    SCore::SerializeMaterial(material, writer);
    writer.DoSerialize("AABB", SCore::SAABBox{-1.0f, -2.0f, -3.0f, 4.0f, 5.0f, 6.0f});
    writer.DoEndChild();
  }
};

inline const std::vector<Vertex> kTriangle = {{-1.0f, -1.0f, 0.5f, 0.0f, 0.0f, -1.0f, 0.0f, 1.0f},
                                       {0.0f, 1.0f, 0.25f, 0.0f, 1.0f, 0.0f, 0.5f, 0.0f},
                                       {1.0f, -1.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f}};

// A square of side 2 about the origin in the plane x = 0, facing along x.
inline const std::vector<Vertex> kSquareAcrossX = {{0.0f, 1.0f, -1.0f, 1.0f}, {0.0f, 1.0f, 1.0f, 1.0f},
                                                   {0.0f, -1.0f, 1.0f, 1.0f}, {0.0f, -1.0f, -1.0f, 1.0f}};
inline const std::vector<unsigned int> kSquareIndices = {0, 1, 3, 1, 2, 3};

// Writes the element and hands each reader to the check, standing at the top of the document.
inline void WithEachReader(const MeshDocument& source, const std::function<void(SCore::SDeserializator&)>& check) {
  XMLTestSupport::DocumentRoundTrip document;
  document.Write([&](SCore::SSerializator& writer) { source.Write(writer); });
  document.ReadWithBoth(check);
}

// A mesh as the game makes one: both viewports set, then read.
inline void LoadMesh(KorvexEngine::STriMesh& mesh, const boost::shared_ptr<SCore::SViewport>& viewport,
                     const MeshDocument& source) {
  mesh.m_Viewport = viewport;
  mesh.DoCreate(viewport);
  WithEachReader(source, [&](SCore::SDeserializator& reader) { mesh.DoDeserialize(reader); });
}

// A quarter-turn field of view over the whole target.
inline void SetPerspective(SCore::SRenderDevice& device, float aspect) {
  D3DXMATRIX projection;
  D3DXMatrixPerspectiveFovRH(&projection, float(M_PI / 4), aspect, 0.1f, 100.0f);
  SCore::SMatrix projected;
  std::memcpy(&projected.f11, &projection._11, sizeof projected);
  device.DoSetTransform(D3DTS_PROJECTION, &projected);
}

}  // namespace TriMeshTest
