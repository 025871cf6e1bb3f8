#include "SUITextBox.h"

#include "SLoger.h"
#include "TScopedLock.h"

#include <boost/make_shared.hpp>

#include <algorithm>

namespace KorvexEngine {
namespace UI {

namespace {

const int kBackspace = 8;
const unsigned int kMaxCharacters = 20;

bool IsPrintableAscii(int character) { return character >= 32 && character < 127; }

bool IsNationalByte(int character) { return character >= 128 && character <= 255; }

int ClassicUpper(int character) { return character >= 'a' && character <= 'z' ? character - 'a' + 'A' : character; }

}  // namespace

SUITextBox::SUITextBox(const std::string& localeName)
    : m_x(0.0f), m_y(0.0f), m_maxCharacters(0), m_cellWidth(0.0f), m_cellHeight(0.0f), m_spacing(0.0f),
      m_focused(false), m_cursor(0), m_alignment(0), m_marginLeft(0.0f), m_marginTop(0.0f), m_marginRight(0.0f),
      m_marginBottom(0.0f), m_fixedWidth(true), m_localeInput(false), m_locale(localeName),
      m_reportedUnwidenable(false) {}

SUITextBox::~SUITextBox() = default;

void SUITextBox::Create(float cellWidth, float cellHeight, float spacing, const std::string& textureName,
                        float glyphColumns, float glyphRows, float uOffset, float vOffset, float uScale,
                        float vScale) {
  m_cellWidth = cellWidth;
  m_cellHeight = cellHeight;
  m_spacing = spacing;
  m_maxCharacters = kMaxCharacters;
  m_font = MakeControlFont(m_viewport, cellWidth, cellHeight, spacing, textureName, glyphColumns, glyphRows,
                           SCore::SRect{uOffset, vOffset, uScale, vScale});
}

void SUITextBox::Bind(std::wstring* text) {
  m_binding = boost::make_shared<SUITextBinding>(text);
  m_cursor = static_cast<unsigned int>(text->size());
}

std::wstring SUITextBox::GetText() const { return m_binding ? *m_binding->m_text : m_text; }

std::wstring& SUITextBox::CurrentText() { return m_binding ? *m_binding->m_text : m_text; }

TextLayout SUITextBox::Layout() const {
  return TextLayout{m_cellWidth, m_cellHeight, m_spacing,   m_maxCharacters, m_alignment,
                    m_marginLeft, m_marginTop, m_marginRight, m_marginBottom, m_fixedWidth};
}

bool SUITextBox::HitTest(float x, float y) { return Layout().Hits(m_x, m_y, x, y); }

void SUITextBox::OnMouseDown(float, float) { m_focused = true; }

void SUITextBox::OnKeyDown(int key) {
  if (key < 0 || key >= int(m_keysDown.size())) return;
  TScopedLock<SLockGuard> hold(m_lock);
  m_keysDown.set(size_t(key));
}

// Backspace acts on release, once per press.
void SUITextBox::OnKeyUp(int key) {
  if (key < 0 || key >= int(m_keysDown.size())) return;
  TScopedLock<SLockGuard> hold(m_lock);
  if (!m_keysDown.test(size_t(key))) return;
  if (key == kBackspace) EraseLast();
  m_keysDown.reset(size_t(key));
}

void SUITextBox::EraseLast() {
  std::wstring& text = CurrentText();
  // A bound string may have been shortened by its owner since the cursor last moved.
  m_cursor = std::min(m_cursor, static_cast<unsigned int>(text.size()));
  if (m_cursor == 0) return;
  --m_cursor;
  text.erase(m_cursor);
  m_font->SetText(text);
}

void SUITextBox::OnChar(int character) {
  TScopedLock<SLockGuard> hold(m_lock);
  if (!m_focused) return;
  const int upper = ClassicUpper(character);
  if (IsPrintableAscii(upper))
    Append(wchar_t(upper));
  else if (m_localeInput && IsNationalByte(upper))
    AppendNational(upper);
}

void SUITextBox::AppendNational(int character) {
  std::wstring wide;
  if (!m_locale.ToWide(std::string(1, char(character)), wide) || wide.empty()) {
    // A byte with no character in the code page is dropped; typing goes on.
    if (!m_reportedUnwidenable) {
      SCore::g_Loger << SCore::GetTimeStamp() << " SUITextBox: ignored a character that locale "
                     << m_locale.LocaleName() << " cannot convert\n";
      m_reportedUnwidenable = true;
    }
    return;
  }
  Append(wide[0]);
}

void SUITextBox::Append(wchar_t character) {
  std::wstring& text = CurrentText();
  if (text.size() >= m_maxCharacters) return;
  text += character;
  m_font->SetText(text);
  ++m_cursor;
}

void SUITextBox::DoRender(float dx, float dy) {
  TScopedLock<SLockGuard> hold(m_lock);
  if (m_binding) m_font->SetText(*m_binding->m_text);
  const float textWidth =
      DrawTextLine(Layout(), *m_font, m_background.get(), dx + m_x, dy + m_y, CurrentText().size());
  // The cursor stands right after the text, focused or not.
  if (m_cursorSprite) {
    m_cursorSprite->SetPosition(m_font->Position.X + textWidth, dy + m_y + m_marginTop);
    RenderOnScreen(*m_cursorSprite);
  }
}

}  // namespace UI
}  // namespace KorvexEngine
