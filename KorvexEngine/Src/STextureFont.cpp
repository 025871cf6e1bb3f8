#include "STextureFont.h"

#include "SBufferLockGuard.h"
#include "SEngineException.h"
#include "srethrow.h"
#include "vertices.h"

#include <algorithm>
#include <cassert>

namespace KorvexEngine {

namespace {

const char* const kSource = ".\\Src\\STextureFont";
const std::string kTypeName = "TextureFont";
const WORD kQuadIndices[6] = {0, 1, 3, 1, 2, 3};

}  // namespace

STextureFont::STextureFont(float columns, float rows, float spacing)
    : SMesh(kTypeName), Columns(columns), Rows(rows), Spacing(spacing) {
  // Written so that a columns value that is not a number is refused as well.
  if (!(columns >= 1.0f)) throw SEngineException("a texture font needs at least one glyph column");
}

STextureFont::~STextureFont() {
  m_IndexBuffer.reset();
  m_VertexBuffer.reset();
}

void STextureFont::SetText(const std::string& text) {
  CacheValid = false;
  Text.clear();
  for (char byte : text) Text += wchar_t(static_cast<unsigned short>(static_cast<signed char>(byte)));
}

void STextureFont::SetText(const std::wstring& text) {
  CacheValid = false;
  Text = text;
}

float STextureFont::GetTextWidth() const {
  float width = 0.0f;
  for (wchar_t character : Text) width += WidthOf(character);
  return width;
}

const std::string& STextureFont::GetTypeName() { return kTypeName; }

float STextureFont::WidthOf(wchar_t character) const {
  const auto found = WidthMap.find(character);
  return found == WidthMap.end() ? 1.0f : found->second;
}

unsigned int STextureFont::CellOf(wchar_t character) const {
  const auto found = IndexMap.find(character);
  return found == IndexMap.end() ? static_cast<unsigned int>(character) : found->second;
}

DWORD STextureFont::VertexColor() const {
  return (DWORD(Color[0]) << 24) | (DWORD(Color[1]) << 16) | (DWORD(Color[2]) << 8) | DWORD(Color[3]);
}

// Characters beyond what 16-bit indices can address are not drawn, rather than wrapped onto the first.
size_t STextureFont::DrawnCharacters() const { return std::min(Text.size(), kMaxDrawnCharacters); }

void STextureFont::DoRender(const SCore::SMatrix*) {
  KORVEX_TRY
    if (Text.empty()) return;
    if (!CacheValid) Precashing();
    const boost::shared_ptr<SCore::SRenderDevice>& device = RenderDevice();
    device->DoBindVertexBuffer(m_VertexBuffer);
    device->DoBindIndexBuffer(m_IndexBuffer);
    device->DoRender(m_VertexBuffer, m_IndexBuffer, 0);
  KORVEX_RETHROW("STextureFont::DoRender()", kSource)
}

// Buffers of the right size are reused; a new length replaces them.
void STextureFont::Precashing() {
  KORVEX_TRY
    CacheValid = false;
    const UINT characters = UINT(DrawnCharacters());
    if (!m_VertexBuffer || m_VertexBuffer->VertexCount != 4 * characters) {
      m_VertexBuffer.reset();
      m_VertexBuffer = m_Viewport->DoCreateVertexBuffer(4 * characters, sizeof(SVertexXYZRHWDiffuseTex1),
                                                        SVertexXYZRHWDiffuseTex1::Fvf, D3DPT_TRIANGLELIST,
                                                        D3DUSAGE_WRITEONLY);
    }
    {
      SBufferLockGuard<SCore::SVertexBuffer> lock(*m_VertexBuffer);
      FillVertexData(lock.Data());
      lock.Unlock();
    }
    if (!m_IndexBuffer || m_IndexBuffer->IndexCount != 6 * characters) {
      m_IndexBuffer.reset();
      m_IndexBuffer = m_Viewport->DoCreateIndexBuffer(6 * characters, D3DFMT_INDEX16, D3DUSAGE_WRITEONLY);
    }
    {
      SBufferLockGuard<SCore::SIndexBuffer> lock(*m_IndexBuffer);
      FillIndexData(lock.Data());
      lock.Unlock();
    }
    CacheValid = true;
  KORVEX_RETHROW("STextureFont::Precashing()", kSource)
}

void STextureFont::FillVertexData(void* pVData) {
  assert(pVData != 0 && "pVData != 0");
  auto* vertex = static_cast<SVertexXYZRHWDiffuseTex1*>(pVData);
  const float targetWidth = float(RenderDevice()->GetWidth());
  const float targetHeight = float(RenderDevice()->GetHeight());
  const DWORD colour = VertexColor();
  const unsigned int divisor = unsigned(Columns);
  const float cellU = 1.0f / Columns;
  const float cellV = 1.0f / Rows;
  const float top = Position.Y * targetHeight;
  const float bottom = (Position.Y + Position.Height) * targetHeight;
  float advance = 0.0f;
  for (size_t i = 0; i < DrawnCharacters(); ++i) {
    const wchar_t character = Text[i];
    const unsigned int cell = CellOf(character);
    const float width = WidthOf(character);
    const float uLeft = float(cell % divisor) * cellU;
    const float vTop = float(cell / divisor) * cellV;
    const float uRight = uLeft + width * cellU;
    const float vBottom = vTop + cellV;
    const float left = Position.X + Spacing * Position.Width * float(i) + advance;
    const float right = left + Position.Width * width;
    const float u[2] = {AtlasRect.X + uLeft * AtlasRect.Width, AtlasRect.X + uRight * AtlasRect.Width};
    const float v[2] = {AtlasRect.Y + vTop * AtlasRect.Height, AtlasRect.Y + vBottom * AtlasRect.Height};
    *vertex++ = {left * targetWidth, top, 1.0f, 1.0f, colour, u[0], v[0]};
    *vertex++ = {right * targetWidth, top, 1.0f, 1.0f, colour, u[1], v[0]};
    *vertex++ = {right * targetWidth, bottom, 1.0f, 1.0f, colour, u[1], v[1]};
    *vertex++ = {left * targetWidth, bottom, 1.0f, 1.0f, colour, u[0], v[1]};
    advance += Position.Width * width - Position.Width;
  }
}

void STextureFont::FillIndexData(void* pIData) {
  assert(pIData != 0 && "pIData != 0");
  auto* index = static_cast<WORD*>(pIData);
  for (size_t i = 0; i < DrawnCharacters(); ++i)
    for (WORD offset : kQuadIndices) *index++ = WORD(4 * i + offset);
}

}  // namespace KorvexEngine
