#include "VertexRecordXML.h"

#include "KorvexCoreException.h"
#include "SDeserializator.h"
#include "SSerializator.h"

#include <cassert>
#include <cstring>

namespace KorvexEngine {

namespace {

const char* const kFieldNames[8] = {"X", "Y", "Z", "NX", "NY", "NZ", "U", "V"};

float* Fields(SVertexXYZNormalTex1& vertex) { return &vertex.X; }

}  // namespace

void CheckMeshVertexFormat(DWORD fvf, unsigned int vertexSize) {
  if (fvf != SVertexXYZNormalTex1::Fvf) throw SCore::KorvexCoreException("Unknown FVF type");
  // A buffer of another stride would be filled past its end by 32-byte records.
  if (vertexSize != sizeof(SVertexXYZNormalTex1)) throw SCore::KorvexCoreException("Vertex size is not supported");
}

void WriteVertex(const void* pData, SCore::SSerializator& serializator, DWORD fvf) {
  assert(pData != 0 && "pData != 0");
  if (fvf != SVertexXYZNormalTex1::Fvf) throw SCore::KorvexCoreException("Unknown FVF type");
  SVertexXYZNormalTex1 vertex;
  std::memcpy(&vertex, pData, sizeof vertex);
  serializator.DoBeginChild("Vertex");
  for (int i = 0; i < 8; ++i) serializator.DoSerialize(kFieldNames[i], Fields(vertex)[i]);
  serializator.DoEndChild();
}

SVertexXYZNormalTex1 ReadVertex(SCore::SDeserializator& deserializator) {
  SVertexXYZNormalTex1 vertex{};
  for (int i = 0; i < 8; ++i) deserializator.DoDeserialize(kFieldNames[i], Fields(vertex)[i]);
  return vertex;
}

}  // namespace KorvexEngine
