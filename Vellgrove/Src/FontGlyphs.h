#pragma once

#include "STextureFont.h"

#include <boost/shared_ptr.hpp>

#include <map>

namespace Vellgrove {

struct FontGlyph {
  unsigned int index;  // cell of the glyph grid of the font texture
  float width;         // width factor of the glyph
};

// Character code to glyph, filled once before any other thread exists.
extern std::map<unsigned int, FontGlyph> g_FontGlyphs;

// Adds every "code"/"index"/"width" child of the root "font" of the engine-dialect file
// g_FontPath; a later code replaces an earlier one.
void LoadFontGlyphs();
// Inserts or replaces the font's width and cell of every code of the table; the font's entries for
// other codes stay.
void ApplyFontGlyphs(const boost::shared_ptr<KorvexEngine::STextureFont>& font);

}  // namespace Vellgrove
