#include "FontGlyphs.h"

#include "GameGlobals.h"
#include "SEngineException.h"
#include "SXMLDeserializator.h"
#include "srethrow.h"

namespace Vellgrove {

namespace {
const char* const kSourcePath = "..\\Src\\FontGlyphs";

template <typename Value>
bool SetEntry(std::map<wchar_t, Value>& map, wchar_t code, Value value) {
  const auto found = map.find(code);
  if (found != map.end() && found->second == value) return false;
  map[code] = value;
  return true;
}

}  // namespace

std::map<unsigned int, FontGlyph> g_FontGlyphs;

void LoadFontGlyphs() {
  KORVEX_TRY
    SCore::SXMLDeserializator reader(g_FontPath);
    reader.DoBeginChild("font");
    // A file that fails part-way adds nothing.
    std::map<unsigned int, FontGlyph> read;
    const unsigned int count = reader.DoGetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
      reader.DoBeginChild(i);
      unsigned int code = 0;
      FontGlyph glyph{0, 0.0f};
      reader.DoDeserialize("code", code);
      reader.DoDeserialize("index", glyph.index);
      reader.DoDeserialize("width", glyph.width);
      read[code] = glyph;
      reader.DoEndChild();
    }
    reader.DoEndChild();
    for (const auto& entry : read) g_FontGlyphs[entry.first] = entry.second;
  KORVEX_RETHROW("LoadFontGlyphs()", kSourcePath)
}

void ApplyFontGlyphs(const boost::shared_ptr<KorvexEngine::STextureFont>& font) {
  KORVEX_TRY
    if (!font) throw KorvexEngine::SEngineException("no font to apply the glyph table to");
    // The menu applies the table every frame: rebuild the quads only when an entry changed.
    bool changed = false;
    for (const auto& entry : g_FontGlyphs) {
      const wchar_t code = static_cast<wchar_t>(entry.first);
      changed |= SetEntry(font->WidthMap, code, entry.second.width);
      changed |= SetEntry(font->IndexMap, code, entry.second.index);
    }
    if (changed) font->CacheValid = false;
  KORVEX_RETHROW("ApplyFontGlyphs()", kSourcePath)
}

}  // namespace Vellgrove
