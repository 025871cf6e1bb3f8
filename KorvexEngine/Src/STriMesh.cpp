#include "STriMesh.h"

#include "MaterialXML.h"
#include "SBufferLockGuard.h"
#include "SDeserializator.h"
#include "SEngineException.h"
#include "SSerializator.h"
#include "VertexRecordXML.h"
#include "srethrow.h"

#include <cassert>
#include <cstring>
#include <limits>

namespace KorvexEngine {

namespace {

const char* const kSource = ".\\Src\\STriMesh";
const std::string kTypeName = "TriMesh";
const DWORD kWriteOnly = D3DUSAGE_WRITEONLY;

unsigned int ReadIndex(SCore::SDeserializator& deserializator, unsigned int indexSize) {
  if (indexSize == sizeof(WORD)) {
    unsigned short value = 0;
    deserializator.DoDeserialize("I", value);
    return value;
  }
  unsigned int value = 0;
  deserializator.DoDeserialize("I", value);
  return value;
}

void WriteIndex(SCore::SSerializator& serializator, const void* indices, unsigned int i, unsigned int indexSize) {
  if (indexSize == sizeof(WORD)) {
    serializator.DoSerialize("I", static_cast<const unsigned short*>(indices)[i]);
    return;
  }
  serializator.DoSerialize("I", static_cast<const unsigned int*>(indices)[i]);
}

void CheckIndexSize(unsigned int indexSize) {
  if (indexSize != sizeof(WORD) && indexSize != sizeof(DWORD))
    throw SCore::KorvexCoreException("Index size is not supported");
}

}  // namespace

STriMesh::STriMesh(const std::string& name) : SMesh(name) {}

STriMesh::~STriMesh() {
  m_IndexBuffer.reset();
  m_VertexBuffer.reset();
  m_OwnViewport.reset();
}

const std::string& STriMesh::GetTypeName() { return kTypeName; }

boost::shared_ptr<SCore::SViewport>& STriMesh::GetViewport() { return m_OwnViewport; }

void STriMesh::DoCreate(const boost::shared_ptr<SCore::SViewport>& viewport) {
  KORVEX_TRY
    m_OwnViewport = viewport;
  KORVEX_RETHROW("STriMesh::DoCreate()", kSource)
}

void STriMesh::RequireBuffers() const {
  if (!m_VertexBuffer || !m_IndexBuffer) throw SEngineException("the mesh has no vertex or index data");
}

void STriMesh::DoRender(const SCore::SMatrix*) {
  KORVEX_TRY
    assert(0 != m_OwnViewport.get() && "0 != m_Viewport.get()");
    RequireBuffers();
    const boost::shared_ptr<SCore::SRenderDevice>& device = m_OwnViewport->GetRenderDevice();
    device->DoBindVertexBuffer(m_VertexBuffer);
    device->DoBindIndexBuffer(m_IndexBuffer);
    device->DoRender(m_VertexBuffer, m_IndexBuffer, 0);
  KORVEX_RETHROW("STriMesh::DoRender()", kSource)
}

void STriMesh::DoSerialize(SCore::SSerializator& serializator) {
  KORVEX_TRY
    assert(0 != m_OwnViewport.get() && "0 != m_Viewport.get()");
    RequireBuffers();
    serializator.DoBeginChild(kTypeName);
    serializator.DoSerialize("Name", Name);
    WriteVertexData(serializator);
    WriteIndexData(serializator);
    SCore::SerializeMaterial(Material, serializator);
    serializator.DoSerialize("AABB", AABB);
    serializator.DoEndChild();
  KORVEX_RETHROW("STriMesh::DoSerialize()", kSource)
}

void STriMesh::WriteVertexData(SCore::SSerializator& serializator) {
  SCore::SVertexBuffer& buffer = *m_VertexBuffer;
  const DWORD fvf = buffer.DoGetFvf();
  CheckMeshVertexFormat(fvf, buffer.VertexSize);
  serializator.DoBeginChild("VertexData");
  serializator.DoSerialize("VertexSize", buffer.VertexSize);
  serializator.DoSerialize("FVF", static_cast<unsigned int>(fvf));
  serializator.DoSerialize("PrimType", static_cast<unsigned int>(buffer.PrimitiveType));
  SBufferLockGuard<SCore::SVertexBuffer> lock(buffer);
  const char* data = static_cast<const char*>(lock.Data());
  for (unsigned int i = 0; i < buffer.VertexCount; ++i) WriteVertex(data + i * buffer.VertexSize, serializator, fvf);
  lock.Unlock();
  serializator.DoEndChild();
}

void STriMesh::WriteIndexData(SCore::SSerializator& serializator) {
  SCore::SIndexBuffer& buffer = *m_IndexBuffer;
  const unsigned int indexSize = buffer.IndexCount ? buffer.ByteLength / buffer.IndexCount : 0;
  CheckIndexSize(indexSize);
  serializator.DoBeginChild("IndexData");
  serializator.DoSerialize("IndexSize", indexSize);
  SBufferLockGuard<SCore::SIndexBuffer> lock(buffer);
  for (unsigned int i = 0; i < buffer.IndexCount; ++i) {
    serializator.DoBeginChild("Index");
    WriteIndex(serializator, lock.Data(), i, indexSize);
    serializator.DoEndChild();
  }
  lock.Unlock();
  serializator.DoEndChild();
}

void STriMesh::DoDeserialize(SCore::SDeserializator& deserializator) {
  KORVEX_TRY
    assert(0 != m_OwnViewport.get() && "0 != m_Viewport.get()");
    deserializator.DoBeginChild(kTypeName);
    ReadBody(deserializator);
  KORVEX_RETHROW("STriMesh::DoDeserialize()", kSource)
}

void STriMesh::DoDeserialize(SCore::SDeserializator& deserializator, unsigned int index) {
  KORVEX_TRY
    assert(0 != m_OwnViewport.get() && "0 != m_Viewport.get()");
    deserializator.DoBeginChild(index);
    ReadBody(deserializator);
  KORVEX_RETHROW("STriMesh::DoDeserialize()", kSource)
}

// Everything is read and checked before the buffers are made, so bad data never reaches a locked
// buffer and the old buffers stay until the new ones are complete.
void STriMesh::ReadBody(SCore::SDeserializator& deserializator) {
  deserializator.DoDeserialize("Name", Name);
  DWORD primitiveType = 0;
  const std::vector<SVertexXYZNormalTex1> vertices = ReadVertexData(deserializator, primitiveType);
  const std::vector<WORD> indices = ReadIndexData(deserializator, vertices.size());
  SCore::SMaterial material;
  SCore::DeserializeMaterial(deserializator, material, m_OwnViewport->GetTextureManager());
  SCore::CopyMaterial(material, Material);
  deserializator.DoDeserialize("AABB", AABB);
  boost::shared_ptr<SCore::SVertexBuffer> vertexBuffer = CreateVertexBuffer(vertices, primitiveType);
  boost::shared_ptr<SCore::SIndexBuffer> indexBuffer = CreateIndexBuffer(indices);
  m_VertexBuffer = vertexBuffer;
  m_IndexBuffer = indexBuffer;
  deserializator.DoEndChild();
}

std::vector<SVertexXYZNormalTex1> STriMesh::ReadVertexData(SCore::SDeserializator& deserializator,
                                                           DWORD& primitiveType) {
  deserializator.DoBeginChild("VertexData");
  unsigned int vertexSize = 0;
  unsigned int fvf = 0;
  unsigned int primType = 0;
  deserializator.DoDeserialize("VertexSize", vertexSize);
  const unsigned int count = deserializator.DoGetChildCount();
  deserializator.DoDeserialize("FVF", fvf);
  deserializator.DoDeserialize("PrimType", primType);
  CheckMeshVertexFormat(fvf, vertexSize);
  if (count == 0) throw SEngineException("the mesh has no vertices");
  std::vector<SVertexXYZNormalTex1> vertices;
  vertices.reserve(count);
  // Every child is a vertex, whatever its element name.
  for (unsigned int i = 0; i < count; ++i) {
    deserializator.DoBeginChild(i);
    vertices.push_back(ReadVertex(deserializator));
    deserializator.DoEndChild();
  }
  deserializator.DoEndChild();
  primitiveType = primType;
  return vertices;
}

std::vector<WORD> STriMesh::ReadIndexData(SCore::SDeserializator& deserializator, size_t vertexCount) {
  deserializator.DoBeginChild("IndexData");
  unsigned int indexSize = 0;
  deserializator.DoDeserialize("IndexSize", indexSize);
  const unsigned int count = deserializator.DoGetChildCount();
  CheckIndexSize(indexSize);
  if (count == 0) throw SEngineException("the mesh has no indices");
  std::vector<WORD> indices;
  indices.reserve(count);
  for (unsigned int i = 0; i < count; ++i) {
    deserializator.DoBeginChild(i);
    const unsigned int value = ReadIndex(deserializator, indexSize);
    deserializator.DoEndChild();
    // The buffer holds 16-bit indices, and every index must name a vertex of the mesh.
    if (value > std::numeric_limits<WORD>::max()) throw SEngineException("Index does not fit in 16 bits");
    if (value >= vertexCount) throw SEngineException("Index is past the vertex count");
    indices.push_back(static_cast<WORD>(value));
  }
  deserializator.DoEndChild();
  return indices;
}

boost::shared_ptr<SCore::SVertexBuffer> STriMesh::CreateVertexBuffer(
    const std::vector<SVertexXYZNormalTex1>& vertices, DWORD primitiveType) {
  boost::shared_ptr<SCore::SVertexBuffer> buffer = m_OwnViewport->DoCreateVertexBuffer(
      UINT(vertices.size()), sizeof(SVertexXYZNormalTex1), SVertexXYZNormalTex1::Fvf, primitiveType, kWriteOnly);
  SBufferLockGuard<SCore::SVertexBuffer> lock(*buffer);
  std::memcpy(lock.Data(), vertices.data(), vertices.size() * sizeof(SVertexXYZNormalTex1));
  lock.Unlock();
  return buffer;
}

boost::shared_ptr<SCore::SIndexBuffer> STriMesh::CreateIndexBuffer(const std::vector<WORD>& indices) {
  boost::shared_ptr<SCore::SIndexBuffer> buffer =
      m_OwnViewport->DoCreateIndexBuffer(UINT(indices.size()), D3DFMT_INDEX16, kWriteOnly);
  SBufferLockGuard<SCore::SIndexBuffer> lock(*buffer);
  std::memcpy(lock.Data(), indices.data(), indices.size() * sizeof(WORD));
  lock.Unlock();
  return buffer;
}

SCore::SVector3 STriMesh::Position(const char* vertices, unsigned int index) const {
  SCore::SVector3 position;
  std::memcpy(&position, vertices + size_t(index) * m_VertexBuffer->VertexSize, sizeof position);
  return position;
}

void STriMesh::RefreshAABB() {
  KORVEX_TRY
    RequireBuffers();
    AABB = SCore::SAABBox();
    SBufferLockGuard<SCore::SVertexBuffer> lock(*m_VertexBuffer);
    const char* vertices = static_cast<const char*>(lock.Data());
    for (unsigned int i = 0; i < m_VertexBuffer->VertexCount; ++i) AABB.Merge(Position(vertices, i));
    lock.Unlock();
  KORVEX_RETHROW("STriMesh::RefreshAABB()", kSource)
}

std::list<STriangle>& STriMesh::DoGetTriangles() {
  KORVEX_TRY
    RequireBuffers();
    Triangles.clear();
    SBufferLockGuard<SCore::SVertexBuffer> vertexLock(*m_VertexBuffer);
    SBufferLockGuard<SCore::SIndexBuffer> indexLock(*m_IndexBuffer);
    const char* vertices = static_cast<const char*>(vertexLock.Data());
    const WORD* indices = static_cast<const WORD*>(indexLock.Data());
    for (unsigned int t = 0; t < m_IndexBuffer->IndexCount / 3; ++t)
      Triangles.push_back(STriangle{Position(vertices, indices[3 * t]), Position(vertices, indices[3 * t + 1]),
                                    Position(vertices, indices[3 * t + 2])});
    indexLock.Unlock();
    vertexLock.Unlock();
  KORVEX_RETHROW("STriMesh::DoGetTriangles()", kSource)
  return Triangles;
}

}  // namespace KorvexEngine
