#include "UIDrawing.h"

#include "STextureFiltration.h"
#include "smath_matrix.h"

#include <boost/make_shared.hpp>

namespace KorvexEngine {
namespace UI {

void RenderOnScreen(SMesh& mesh) {
  const SCore::SMatrix identity = SCore::SMatrixIdentity();
  mesh.Render(&identity);
}

void PlaceSprite(SSprite& sprite, float x, float y, float width, float height) {
  sprite.SetPosition(x, y);
  sprite.SetSize(width, height);
}

boost::shared_ptr<STextureFont> MakeControlFont(const boost::shared_ptr<SCore::SViewport>& viewport, float cellWidth,
                                                float cellHeight, float spacing, const std::string& textureName,
                                                float glyphColumns, float glyphRows, const SCore::SRect& textureRect) {
  const auto font = boost::make_shared<STextureFont>(glyphColumns, glyphRows, spacing);
  font->m_Viewport = viewport;
  font->DoCreate(viewport);
  SCore::SMaterial& material = font->Material;
  material.Texture1 = viewport->GetTextureManager()->GetTexture(textureName);
  material.AlphaBlend = 1;
  material.ZWrite = 0;
  material.Filtration1 = boost::make_shared<SCore::STextureFiltration>();
  material.Filtration1->IsBilinear = true;
  material.DstBlend = 6;  // inverse source alpha
  material.SrcBlend = 5;  // source alpha
  font->Position.Width = cellWidth;
  font->Position.Height = cellHeight;
  font->SetText(std::wstring());
  font->AtlasRect = textureRect;
  return font;
}

float TextLayout::TextWidth(size_t characters, float glyphWidth) const {
  if (characters == 0) return 0.0f;
  return cellWidth * (glyphWidth + (spacing - 1.0f) * float(characters - 1));
}

float TextLayout::BoxWidth(float textWidth) const {
  if (!fixedWidth) return textWidth;
  return cellWidth * ((spacing - 1.0f) * float(maxCharacters - 1) + float(maxCharacters));
}

float TextLayout::TextX(float left, float boxWidth, float textWidth) const {
  if (alignment == 0) return left + marginLeft;
  if (alignment == 2) return left + marginLeft + (boxWidth - textWidth) * 0.5f;
  // Right-aligned text keeps the right margin on its left: the game's layouts rely on it.
  return left + marginRight + (boxWidth - textWidth);
}

bool TextLayout::Hits(float left, float top, float x, float y) const {
  return InRectangle(left, top, cellWidth * float(maxCharacters) + marginLeft + marginRight, BoxHeight(), x, y);
}

float DrawTextLine(const TextLayout& layout, STextureFont& font, SSprite* background, float left, float top,
                   size_t characters) {
  const float textWidth = layout.TextWidth(characters, font.GetTextWidth());
  const float boxWidth = layout.BoxWidth(textWidth);
  if (background != nullptr) {
    PlaceSprite(*background, left, top, boxWidth + layout.marginLeft + layout.marginRight, layout.BoxHeight());
    RenderOnScreen(*background);
  }
  font.Position.X = layout.TextX(left, boxWidth, textWidth);
  font.Position.Y = top + layout.marginTop;
  font.CacheValid = false;
  RenderOnScreen(font);
  return textWidth;
}

bool InRectangle(float left, float top, float width, float height, float x, float y) {
  return x >= left && x <= left + width && y >= top && y <= top + height;
}

}  // namespace UI
}  // namespace KorvexEngine
