#pragma once

#include "SIndexBuffer.h"
#include "SMesh.h"
#include "SRect.h"
#include "SVertexBuffer.h"

#include <boost/shared_ptr.hpp>

#include <map>
#include <string>

namespace KorvexEngine {

// One line of text drawn as screen-space quads cut from a glyph atlas: a texture of equal cells,
// the stage-0 texture of the font's material. The quads are rebuilt only after a change has
// cleared CacheValid: whoever changes Position, AtlasRect, Color or the maps clears it.
class STextureFont : public SMesh {
 public:
  // 16-bit indices address 65536 vertices: four per character.
  static constexpr size_t kMaxDrawnCharacters = 16384;

  // columns: cells per atlas row, a whole number of at least 1; spacing: the advance of each
  // character in cells on top of its width minus one.
  STextureFont(float columns, float rows, float spacing);
  ~STextureFont() override;

  // Bytes widen as signed 8-bit values, so 0x80 to 0xFF become 0xFF80 to 0xFFFF.
  void SetText(const std::string& text);
  void SetText(const std::wstring& text);
  // In cells: neither the cell width nor the spacing is applied.
  float GetTextWidth() const;

  void DoSerialize(SCore::SSerializator&) override {}
  void DoDeserialize(SCore::SDeserializator&, unsigned int) override {}
  void DoDeserialize(SCore::SDeserializator&) override {}
  void DoCreate(const boost::shared_ptr<SCore::SViewport>&) override {}
  // The matrix is not used: glyphs are pre-transformed.
  void DoRender(const SCore::SMatrix* matrix) override;
  void RefreshAABB() override {}
  const std::string& GetTypeName() override;
  std::list<STriangle>& DoGetTriangles() override { return m_Triangles; }

  void Precashing();
  void FillVertexData(void* pVData);
  void FillIndexData(void* pIData);

  bool CacheValid = false;
  boost::shared_ptr<SCore::SVertexBuffer> m_VertexBuffer;
  boost::shared_ptr<SCore::SIndexBuffer> m_IndexBuffer;
  std::wstring Text;
  SCore::SRect Position;  // (X, Y): left-upper corner of the first character; size of one cell
  float Columns;
  float Rows;
  float Spacing;
  SCore::SRect AtlasRect{0.0f, 0.0f, 1.0f, 1.0f};  // u = X + u x Width, v = Y + v x Height
  BYTE Color[4] = {255, 255, 255, 255};            // alpha, red, green, blue
  std::list<STriangle> m_Triangles;
  std::map<wchar_t, float> WidthMap;
  std::map<wchar_t, unsigned int> IndexMap;

 private:
  size_t DrawnCharacters() const;
  float WidthOf(wchar_t character) const;
  unsigned int CellOf(wchar_t character) const;
  DWORD VertexColor() const;
};

}  // namespace KorvexEngine
