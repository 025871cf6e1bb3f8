#include "GameFont.h"

#include "FontGlyphs.h"
#include "GameGlobals.h"
#include "UIDrawing.h"

#include <algorithm>

namespace Vellgrove {

boost::shared_ptr<KorvexEngine::STextureFont> CreateGameFont(const boost::shared_ptr<SCore::SViewport>& viewport,
                                                             const GameFontStyle& style, const std::string& text) {
  const boost::shared_ptr<KorvexEngine::STextureFont> font =
      KorvexEngine::UI::MakeControlFont(viewport, style.GlyphWidth, style.GlyphHeight, style.WidthFactor, g_FontName,
                                        g_FontCharsH, g_FontCharsW, g_FontIndent);
  font->Position.X = style.X;
  font->Position.Y = style.Y;
  font->SetText(text);
  std::copy(std::begin(style.Colour), std::end(style.Colour), font->Color);
  ApplyFontGlyphs(font);
  return font;
}

}  // namespace Vellgrove
