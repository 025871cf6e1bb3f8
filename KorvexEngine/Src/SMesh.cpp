#include "SMesh.h"

#include "MaterialXML.h"
#include "SDeserializator.h"
#include "SSerializator.h"

#include <cassert>

namespace KorvexEngine {

SMesh::SMesh(const std::string& name) : Name(name) {}

// The viewport goes first: the material's textures may hold the last references to the device's resources.
SMesh::~SMesh() { m_Viewport.reset(); }

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
