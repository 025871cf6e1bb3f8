#pragma once

#include "SIndexBuffer.h"
#include "SMesh.h"
#include "SVertexBuffer.h"
#include "vertices.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace KorvexEngine {

// An indexed triangle mesh read from the element "TriMesh". It draws, reads and writes through its
// own viewport (given to DoCreate); the inherited one applies the material. The buffers come only
// from reading, which checks the whole element before it replaces anything it draws with.
class STriMesh : public SMesh {
 public:
  explicit STriMesh(const std::string& name);
  ~STriMesh() override;

  void DoSerialize(SCore::SSerializator& serializator) override;
  void DoDeserialize(SCore::SDeserializator& deserializator, unsigned int index) override;
  void DoDeserialize(SCore::SDeserializator& deserializator) override;
  void DoCreate(const boost::shared_ptr<SCore::SViewport>& viewport) override;
  // The caller has set the world transform and the material; the matrix is not used.
  void DoRender(const SCore::SMatrix* matrix) override;
  // The box of the vertices and the origin.
  void RefreshAABB() override;
  const std::string& GetTypeName() override;
  std::list<STriangle>& DoGetTriangles() override;
  virtual boost::shared_ptr<SCore::SViewport>& GetViewport();

  void WriteVertexData(SCore::SSerializator& serializator);
  void WriteIndexData(SCore::SSerializator& serializator);
  std::vector<SVertexXYZNormalTex1> ReadVertexData(SCore::SDeserializator& deserializator, DWORD& primitiveType);
  std::vector<WORD> ReadIndexData(SCore::SDeserializator& deserializator, size_t vertexCount);

  boost::shared_ptr<SCore::SViewport> m_OwnViewport;
  boost::shared_ptr<SCore::SVertexBuffer> m_VertexBuffer;
  boost::shared_ptr<SCore::SIndexBuffer> m_IndexBuffer;

 private:
  void ReadBody(SCore::SDeserializator& deserializator);
  void RequireBuffers() const;
  boost::shared_ptr<SCore::SVertexBuffer> CreateVertexBuffer(const std::vector<SVertexXYZNormalTex1>& vertices,
                                                             DWORD primitiveType);
  boost::shared_ptr<SCore::SIndexBuffer> CreateIndexBuffer(const std::vector<WORD>& indices);
  SCore::SVector3 Position(const char* vertices, unsigned int index) const;
};

}  // namespace KorvexEngine
