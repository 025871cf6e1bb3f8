#pragma once

#include "IDeserialize.h"
#include "ISerialize.h"
#include "SAABBox.h"
#include "SMaterial.h"
#include "SMatrix.h"
#include "STriangle.h"
#include "SViewport.h"

#include <boost/shared_ptr.hpp>

#include <list>
#include <string>

namespace KorvexEngine {

// Everything the engine draws. The creator assigns the viewport before the first render.
class SMesh : public SCore::ISerialize, public SCore::IDeserialize {
 public:
  explicit SMesh(const std::string& name);
  ~SMesh() override;

  // The one way to draw a drawable: a hidden mesh draws nothing and leaves the device's material alone.
  void Render(const SCore::SMatrix* matrix);

  virtual void DoCreate(const boost::shared_ptr<SCore::SViewport>& viewport) = 0;
  // Draws whether or not the mesh is visible.
  virtual void DoRender(const SCore::SMatrix* matrix) = 0;
  virtual void RefreshAABB() = 0;
  virtual const std::string& GetTypeName() = 0;
  virtual std::list<STriangle>& DoGetTriangles() = 0;

  // The name and the material, in the writer's or the reader's current element.
  void SerializeBase(SCore::SSerializator& serializator);
  void DeserializeBase(SCore::SDeserializator& deserializator);

  std::string Name;
  SCore::SAABBox AABB;
  bool Visible = true;
  std::list<STriangle> Triangles;
  SCore::SMaterial Material;
  boost::shared_ptr<SCore::SViewport> m_Viewport;

 protected:
  const boost::shared_ptr<SCore::SRenderDevice>& RenderDevice() const { return m_Viewport->GetRenderDevice(); }
};

}  // namespace KorvexEngine
