#pragma once

#include "SRect.h"
#include "SSprite.h"
#include "STextureFont.h"
#include "SUIControl.h"
#include "UIDrawing.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace KorvexEngine {
namespace UI {

// A line of text drawn with a texture font, optionally on a background sprite that spans its box.
class SUILabel : public SUIControl {
 public:
  SUILabel();
  ~SUILabel() override;

  bool HitTest(float x, float y) override;
  void OnMouseOver() override {}
  void OnMouseDown(float, float) override {}
  void OnMouseOut() override {}
  void DoRender(float dx, float dy) override;

  // Makes the font on the label's viewport from the named atlas texture.
  void Create(float cellWidth, float cellHeight, float spacing, unsigned int maxCharacters,
              const std::string& textureName, float glyphColumns, float glyphRows, float uOffset, float vOffset,
              float uScale, float vScale);
  // The label measures its own text's length and the font's text's width: both change together.
  void SetText(const std::wstring& text);
  boost::shared_ptr<STextureFont> GetFont() const { return m_font; }

  float m_x;
  float m_y;
  boost::shared_ptr<SSprite> m_background;
  unsigned int m_maxCharacters;
  float m_cellWidth;
  float m_cellHeight;
  float m_spacing;
  std::wstring m_text;
  int m_alignment;  // 0 left, 2 centred, anything else right
  float m_marginLeft;
  float m_marginTop;
  float m_marginRight;
  float m_marginBottom;
  bool m_fixedWidth;

 private:
  TextLayout Layout() const;

  boost::shared_ptr<STextureFont> m_font;
};

}  // namespace UI
}  // namespace KorvexEngine
