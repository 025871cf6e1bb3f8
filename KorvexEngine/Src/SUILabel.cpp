#include "SUILabel.h"

namespace KorvexEngine {
namespace UI {

SUILabel::SUILabel()
    : m_x(0.0f), m_y(0.0f), m_maxCharacters(0), m_cellWidth(0.0f), m_cellHeight(0.0f), m_spacing(0.0f),
      m_alignment(0), m_marginLeft(0.0f), m_marginTop(0.0f), m_marginRight(0.0f), m_marginBottom(0.0f),
      m_fixedWidth(true) {}

SUILabel::~SUILabel() = default;

void SUILabel::Create(float cellWidth, float cellHeight, float spacing, unsigned int maxCharacters,
                      const std::string& textureName, float glyphColumns, float glyphRows, float uOffset,
                      float vOffset, float uScale, float vScale) {
  m_cellWidth = cellWidth;
  m_cellHeight = cellHeight;
  m_spacing = spacing;
  m_maxCharacters = maxCharacters;
  m_font = MakeControlFont(m_viewport, cellWidth, cellHeight, spacing, textureName, glyphColumns, glyphRows,
                           SCore::SRect{uOffset, vOffset, uScale, vScale});
}

void SUILabel::SetText(const std::wstring& text) {
  m_text = text;
  m_font->SetText(text);
}

TextLayout SUILabel::Layout() const {
  return TextLayout{m_cellWidth, m_cellHeight, m_spacing,   m_maxCharacters, m_alignment,
                    m_marginLeft, m_marginTop, m_marginRight, m_marginBottom, m_fixedWidth};
}

bool SUILabel::HitTest(float x, float y) { return Layout().Hits(m_x, m_y, x, y); }

void SUILabel::DoRender(float dx, float dy) {
  DrawTextLine(Layout(), *m_font, m_background.get(), dx + m_x, dy + m_y, m_text.size());
}

}  // namespace UI
}  // namespace KorvexEngine
