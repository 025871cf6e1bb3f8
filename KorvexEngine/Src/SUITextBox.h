#pragma once

#include "SLockGuard.h"
#include "SSprite.h"
#include "STextureFont.h"
#include "SUIControl.h"
#include "SUITextBinding.h"
#include "UIDrawing.h"

#include "Platform/CodePage.h"

#include <boost/shared_ptr.hpp>

#include <bitset>
#include <string>

namespace KorvexEngine {
namespace UI {

// One line of typed text, upper-cased, into its own string or a bound one. Characters are always
// appended at the end; Backspace removes the last one when its key is released. Typing (input
// thread) and drawing (main thread) are kept apart by the box's lock.
class SUITextBox : public SUIControl {
 public:
  // localeName: the code page of national characters, for example "Russian".
  explicit SUITextBox(const std::string& localeName);
  ~SUITextBox() override;

  bool HitTest(float x, float y) override;
  void OnMouseOver() override {}
  // Only the owner takes the focus away.
  void OnLostFocus() override { m_focused = false; }
  void OnMouseDown(float x, float y) override;
  void OnMouseOut() override {}
  void DoRender(float dx, float dy) override;
  void OnKeyDown(int key) override;
  void OnKeyUp(int key) override;
  void OnChar(int character) override;

  void Create(float cellWidth, float cellHeight, float spacing, const std::string& textureName, float glyphColumns,
              float glyphRows, float uOffset, float vOffset, float uScale, float vScale);
  // From then on typing edits the string, which must outlive the binding.
  void Bind(std::wstring* text);
  std::wstring GetText() const;
  boost::shared_ptr<STextureFont> GetFont() const { return m_font; }

  float m_x;
  float m_y;
  boost::shared_ptr<SSprite> m_background;
  boost::shared_ptr<SSprite> m_cursorSprite;
  unsigned int m_maxCharacters;
  float m_cellWidth;
  float m_cellHeight;
  float m_spacing;
  bool m_focused;
  std::wstring m_text;
  unsigned int m_cursor;  // the number of characters typed into the current text
  std::bitset<256> m_keysDown;
  boost::shared_ptr<SUITextBinding> m_binding;
  int m_alignment;  // 0 left, 2 centred, anything else right
  float m_marginLeft;
  float m_marginTop;
  float m_marginRight;
  float m_marginBottom;
  bool m_fixedWidth;
  // Characters from 128 on are widened through the locale's code page and accepted.
  bool m_localeInput;

 private:
  std::wstring& CurrentText();
  void Append(wchar_t character);
  void AppendNational(int character);
  void EraseLast();
  TextLayout Layout() const;

  boost::shared_ptr<STextureFont> m_font;
  SLockGuard m_lock;
  Platform::CodePage m_locale;
  bool m_reportedUnwidenable;
};

}  // namespace UI
}  // namespace KorvexEngine
