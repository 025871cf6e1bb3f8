#include "Painter.h"

#include "srethrow.h"

#include <cstring>

namespace Vellgrove {

namespace {

const char* const kSourcePath = "..\\Src\\Painter";
const char* const kTextureName = "PaintingSprite";
const DWORD kDrawn = 0xFFFFFFFFu;

}  // namespace

Painter::Painter(const boost::shared_ptr<SCore::SViewport>& viewport) : m_viewport(viewport) {
  KORVEX_TRY
    CreateTexture();
    CreateSprite();
  KORVEX_RETHROW("Painter::Painter()", kSourcePath)
}

Painter::~Painter() = default;

void Painter::CreateTexture() {
  m_texture = m_viewport->CreateTexture(kTextureName);
  m_texture->SetRenderDevice(m_viewport->GetRenderDevice());
  m_texture->DoCreateEx(kSide, kSide, 1, D3DFMT_A8R8G8B8);
  Upload();
  m_viewport->GetTextureManager()->AddTexture(m_texture);
}

void Painter::CreateSprite() {
  m_sprite.reset(new KorvexEngine::SSprite("Noname sprite", false));
  m_sprite->m_Viewport = m_viewport;
  m_sprite->DoCreate(m_viewport);
  m_sprite->SetPosition(0.0f, 0.0f);
  m_sprite->SetSize(1.0f, 1.0f);
  m_sprite->CoordAligment = 1;
  SCore::SMaterial& material = m_sprite->Material;
  material.AlphaBlend = 1;
  material.SrcBlend = 5;  // source alpha
  material.DstBlend = 6;  // inverse source alpha
  material.Texture1 = m_texture;
}

void Painter::Render(float u, float v) {
  KORVEX_TRY
    m_canvas.Render(u, v);
    Upload();
  KORVEX_RETHROW("Painter::Render()", kSourcePath)
}

void Painter::Clear() {
  KORVEX_TRY
    m_canvas.Clear();
    if (!m_textureBlank) Upload();
  KORVEX_RETHROW("Painter::Clear()", kSourcePath)
}

void Painter::CalculateEffectiveRectangle(StrokeRect& rect) const {
  KORVEX_TRY
    rect = m_canvas.EffectiveRectangle();
  KORVEX_RETHROW("Painter::CalculateEffectiveRectangle()", kSourcePath)
}

const PainterCanvas::Rows& Painter::GetStrokeBitmap(StrokeRect& rect) {
  KORVEX_TRY
    CalculateEffectiveRectangle(rect);
    m_strokeRows = m_canvas.StrokeRows(rect);
    return m_strokeRows;
  KORVEX_RETHROW("Painter::Clear()", kSourcePath)
}

void Painter::Upload() {
  D3DLOCKED_RECT locked{};
  m_texture->DoLockRect(0, &locked, nullptr, 0);
  unsigned char* row = static_cast<unsigned char*>(locked.pBits);
  for (int y = 0; y < kSide; ++y, row += locked.Pitch) {
    DWORD* texels = reinterpret_cast<DWORD*>(row);
    for (int x = 0; x < kSide; ++x) {
      texels[x] = m_canvas.IsDrawn(x, y) ? kDrawn : 0u;
    }
  }
  m_texture->DoUnlockRect(0);
  m_textureBlank = m_canvas.EffectiveRectangle().width == 1 && !m_canvas.IsDrawn(0, 0) &&
                   m_canvas.EffectiveRectangle().height == 1;
}

}  // namespace Vellgrove
