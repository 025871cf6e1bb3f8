#include "SMesh.h"

#include "MaterialXML.h"
#include "SDeserializator.h"
#include "SSerializator.h"

#include <cassert>

namespace KorvexEngine {

SMesh::SMesh(const std::string& name) : Name(name) {}

// Members go in reverse order: the viewport first, then the material, the triangles and the name.
SMesh::~SMesh() = default;

void SMesh::Render(const SCore::SMatrix* matrix) {
  if (!Visible) return;
  RenderDevice()->SetMaterial(Material);
  DoRender(matrix);
}

void SMesh::SerializeBase(SCore::SSerializator& serializator) {
  serializator.DoSerialize("Name", Name);
  SCore::SerializeMaterial(Material, serializator);
}

void SMesh::DeserializeBase(SCore::SDeserializator& deserializator) {
  assert(0 != m_Viewport.get() && "0 != m_Viewport.get()");
  deserializator.DoDeserialize("Name", Name);
  SCore::DeserializeMaterial(deserializator, Material, m_Viewport->GetTextureManager());
}

}  // namespace KorvexEngine
