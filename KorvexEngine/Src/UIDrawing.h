// Drawing and text layout shared by the UI controls. Positions and sizes are fractions of the
// render target.
#pragma once

#include "SRect.h"
#include "SSprite.h"
#include "STextureFont.h"
#include "SViewport.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace KorvexEngine {
namespace UI {

// Draws a screen-space drawable with its material, unless it is hidden.
void RenderOnScreen(SMesh& mesh);

void PlaceSprite(SSprite& sprite, float x, float y, float width, float height);

// The font of a text control: cells of the named atlas texture, alpha-blended over what is behind.
boost::shared_ptr<STextureFont> MakeControlFont(const boost::shared_ptr<SCore::SViewport>& viewport, float cellWidth,
                                                float cellHeight, float spacing, const std::string& textureName,
                                                float glyphColumns, float glyphRows, const SCore::SRect& textureRect);

// The cells and spacing that a line of text and its box take, and where the text starts in the box.
struct TextLayout {
  float cellWidth;
  float cellHeight;
  float spacing;
  unsigned int maxCharacters;
  int alignment;  // 0 left, 2 centred, anything else right
  float marginLeft;
  float marginTop;
  float marginRight;
  float marginBottom;
  bool fixedWidth;

  // characters: the text's length; glyphWidth: the font's width of the text, in cells.
  float TextWidth(size_t characters, float glyphWidth) const;
  float BoxWidth(float textWidth) const;
  float BoxHeight() const { return marginTop + cellHeight + marginBottom; }
  float TextX(float left, float boxWidth, float textWidth) const;
  // The hit box does not depend on the text.
  bool Hits(float left, float top, float x, float y) const;
};

// Draws the background over the box, if there is one, then the text placed in the box by the
// layout, with its top-left at (left, top). Answers the text's width.
float DrawTextLine(const TextLayout& layout, STextureFont& font, SSprite* background, float left, float top,
                   size_t characters);

// Both edges are inside; a comparison with a non-number misses.
bool InRectangle(float left, float top, float width, float height, float x, float y);

}  // namespace UI
}  // namespace KorvexEngine
