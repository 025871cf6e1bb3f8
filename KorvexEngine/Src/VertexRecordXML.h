#pragma once

#include "vertices.h"

namespace SCore {
class SSerializator;
class SDeserializator;
}  // namespace SCore

namespace KorvexEngine {

// The one vertex layout that meshes carry in XML; anything else is refused with "Unknown FVF type".
void CheckMeshVertexFormat(DWORD fvf, unsigned int vertexSize);

// One vertex as the element "Vertex" with its eight floats.
void WriteVertex(const void* pData, SCore::SSerializator& serializator, DWORD fvf);
// The eight floats of the reader's current element.
SVertexXYZNormalTex1 ReadVertex(SCore::SDeserializator& deserializator);

}  // namespace KorvexEngine
