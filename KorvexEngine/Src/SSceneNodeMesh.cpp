#include "SSceneNodeMesh.h"

#include "SDeserializator.h"
#include "SEngineException.h"
#include "SSceneNodeAction.h"
#include "SSerializator.h"
#include "srethrow.h"

namespace KorvexEngine {

namespace {

const char* const kSource = ".\\Src\\sscenenodemesh";

}  // namespace

SSceneNodeMesh::SSceneNodeMesh(const std::string& name) : SSceneNodeBase(name, 1) {}

SSceneNodeMesh::~SSceneNodeMesh() = default;

void SSceneNodeMesh::DoSerialize(SCore::SSerializator& serializator) {
  KORVEX_TRY
    WriteNode(serializator);
    serializator.DoSerialize("MeshName", m_Mesh ? m_Mesh->Name : MeshName);
  KORVEX_RETHROW("SSceneNodeMesh::DoSerialize()", kSource)
}

void SSceneNodeMesh::DoAction(SSceneNodeAction& action) {
  KORVEX_TRY
    action.OnMeshNode(*this);
  KORVEX_RETHROW("SSceneNodeMesh::DoAction()", kSource)
}

void SSceneNodeMesh::DoRender(STransformation& transformation) {
  KORVEX_TRY
    // A node read from a file has no drawable until its owner binds one.
    if (!m_Mesh) throw SEngineException("the mesh node has no mesh");
    SCore::SMatrix world;
    transformation.GetWorldMatrix(&world);
    m_Mesh->m_Viewport->GetRenderDevice()->DoSetTransform(D3DTS_WORLD, &world);
    m_Mesh->Render(&world);
  KORVEX_RETHROW("SSceneNodeMesh::DoRender()", kSource)
}

void SSceneNodeMesh::DoDeserialize(SCore::SDeserializator&, unsigned int) {}

void SSceneNodeMesh::DoDeserialize(SCore::SDeserializator& deserializator) {
  KORVEX_TRY
    ReadNode(deserializator);
    deserializator.DoDeserialize("MeshName", MeshName);
  KORVEX_RETHROW("SSceneNodeMesh::DoDeserialize()", kSource)
}

}  // namespace KorvexEngine
