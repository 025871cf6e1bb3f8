#pragma once

#include "STextureFont.h"
#include "SViewport.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace Vellgrove {

// How one of the game's texts looks: where it stands, its glyph size and colour (alpha, red,
// green, blue) and the advance of each character in glyph widths.
struct GameFontStyle {
  float X;
  float Y;
  float GlyphWidth;
  float GlyphHeight;
  BYTE Colour[4];
  float WidthFactor;
};

// A text in the configured font, alpha-blended and bilinear, with the glyph table applied.
boost::shared_ptr<KorvexEngine::STextureFont> CreateGameFont(const boost::shared_ptr<SCore::SViewport>& viewport,
                                                             const GameFontStyle& style, const std::string& text);

}  // namespace Vellgrove
