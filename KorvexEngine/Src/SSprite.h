#pragma once

#include "SIndexBuffer.h"
#include "SMesh.h"
#include "SRect.h"
#include "SVertexBuffer.h"

#include <boost/shared_ptr.hpp>

#include <array>
#include <string>

namespace KorvexEngine {

// A textured quad with four corner colours, in screen space (pre-transformed pixels) or in world
// space (a unit quad placed by the world matrix at draw time). Positions and sizes are fractions of
// the render target. The vertices are rebuilt only after a change has cleared CacheValid: whoever
// changes a value that enters them clears it.
class SSprite : public SMesh {
 public:
  SSprite(const std::string& name, bool withTransform);
  ~SSprite() override;

  // A world-space sprite moves and resizes through its world matrix, so its vertices stay valid.
  void SetPosition(float x, float y);
  void SetSize(float width, float height);
  void SetWithTransform(bool withTransform);

  void DoSerialize(SCore::SSerializator& serializator) override;
  void DoDeserialize(SCore::SDeserializator& deserializator, unsigned int index) override;
  void DoDeserialize(SCore::SDeserializator& deserializator) override;
  void DoCreate(const boost::shared_ptr<SCore::SViewport>& viewport) override;
  // The matrix is used in world space only.
  void DoRender(const SCore::SMatrix* matrix) override;
  void RefreshAABB() override;
  const std::string& GetTypeName() override;
  std::list<STriangle>& DoGetTriangles() override;

  void Precashing();
  void FillVertexData(void* pVData);
  void FillIndexData(void* pIData);
  void SSerializator(SCore::SSerializator& serializator);
  void SDeserializator(SCore::SDeserializator& deserializator);

  bool CacheValid = false;
  SCore::SRect Position;
  SCore::SRect TexCoords{0.0f, 0.0f, 1.0f, 1.0f};
  boost::shared_ptr<SCore::SVertexBuffer> m_VertexBuffer;
  boost::shared_ptr<SCore::SIndexBuffer> m_IndexBuffer;
  DWORD ColorLU = 0xFFFFFFFF;
  DWORD ColorRU = 0xFFFFFFFF;
  DWORD ColorLD = 0xFFFFFFFF;
  DWORD ColorRD = 0xFFFFFFFF;
  float Angle = 0.0f;
  unsigned int CoordAligment = 0;  // 0: (X, Y) is the centre, 1: the left-upper corner
  bool WithTransform;
  bool FlipHorizontal = false;
  bool FlipVertical = false;
  float XScaleFactor = 1.0f;
  float YScaleFactor = 1.0f;

 private:
  struct Corner {
    float X;
    float Y;
  };
  using Corners = std::array<Corner, 4>;  // left-upper, right-upper, right-lower, left-lower

  Corners ScreenCorners() const;
  Corners WorldCorners() const;
  void ApplyFlips(Corners& corners) const;
  void CheckAlignment() const;
  unsigned int VertexSizeOfSpace() const;
  bool BufferMatchesSpace() const;
  void CreateVertexBuffer();
  void CreateIndexBuffer();
  void DrawInWorldSpace(const SCore::SMatrix* matrix);
};

}  // namespace KorvexEngine
