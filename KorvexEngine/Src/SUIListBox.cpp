#include "SUIListBox.h"

#include "TScopedLock.h"
#include "UIDrawing.h"

#include <boost/make_shared.hpp>

#include <algorithm>
#include <cstring>

namespace KorvexEngine {
namespace UI {

SUIListBox::SUIListBox()
    : m_x(0.0f), m_y(0.0f), m_cellWidth(0.0f), m_cellHeight(0.0f), m_spacing(0.0f), m_maxCharacters(0),
      m_firstVisible(0), m_glyphColumns(0.0f), m_glyphRows(0.0f), m_visibleRows(0), m_selected(0), m_alignment(0),
      m_color{255, 255, 255, 255}, m_marginLeft(0.0f), m_marginTop(0.0f), m_marginRight(0.0f),
      m_marginBottom(0.0f) {}

SUIListBox::~SUIListBox() = default;

float SUIListBox::TextColumnWidth() const {
  return m_cellWidth + m_spacing * m_cellWidth * float(m_maxCharacters - 1);
}

boost::shared_ptr<SUILabel> SUIListBox::MakeItem(const std::wstring& text) {
  const auto item = boost::make_shared<SUILabel>();
  item->m_viewport = m_viewport;
  item->Create(m_cellWidth, m_cellHeight, m_spacing, m_maxCharacters, m_textureName, m_glyphColumns, m_glyphRows,
               m_textureRect.X, m_textureRect.Y, m_textureRect.Width, m_textureRect.Height);
  item->SetText(text);
  return item;
}

void SUIListBox::AddItem(const std::wstring& text) {
  const auto item = MakeItem(text);
  TScopedLock<SLockGuard> hold(m_lock);
  m_items.push_back(item);
  m_selected = static_cast<unsigned int>(m_items.size() - 1);
}

void SUIListBox::InsertFront(const std::wstring& text) {
  const auto item = MakeItem(text);
  TScopedLock<SLockGuard> hold(m_lock);
  m_items.insert(m_items.begin(), item);
  m_selected = 0;
}

void SUIListBox::RemoveSelected() {
  TScopedLock<SLockGuard> hold(m_lock);
  if (m_selected >= m_items.size()) return;
  m_items.erase(m_items.begin() + m_selected);
  if (Scrolls()) {
    m_selected = m_firstVisible;
  } else {
    m_selected = 0;
    m_firstVisible = 0;
  }
}

std::wstring SUIListBox::GetSelectedText() {
  TScopedLock<SLockGuard> hold(m_lock);
  if (m_selected >= m_items.size()) return m_emptyText;
  return m_items[m_selected]->m_text;
}

void SUIListBox::FindItem(const std::wstring& text) {
  TScopedLock<SLockGuard> hold(m_lock);
  const auto found = std::find_if(m_items.begin(), m_items.end(),
                                  [&text](const boost::shared_ptr<SUILabel>& item) { return item->m_text == text; });
  m_selected = static_cast<unsigned int>(found - m_items.begin());
}

void SUIListBox::GetItems(std::vector<boost::shared_ptr<STextureFont>>& fonts) {
  TScopedLock<SLockGuard> hold(m_lock);
  for (const auto& item : m_items) fonts.push_back(item->GetFont());
}

bool SUIListBox::HitTest(float x, float y) {
  TScopedLock<SLockGuard> hold(m_lock);
  const float pitch = RowPitch();
  const size_t rows = std::min(m_items.size(), size_t(m_visibleRows));
  return InRectangle(m_x, m_y, TextColumnWidth() + pitch, pitch * float(rows), x, y);
}

void SUIListBox::OnMouseDown(float x, float y) {
  TScopedLock<SLockGuard> hold(m_lock);
  const bool inTextColumn = x <= m_x + TextColumnWidth();
  if (inTextColumn) m_selected = m_firstVisible + static_cast<unsigned int>((y - m_y) / RowPitch());
  if (Scrolls() && !inTextColumn) Scroll(y);
}

// The arrow column's top row scrolls up, its bottom visible row down.
void SUIListBox::Scroll(float y) {
  const float pitch = RowPitch();
  if (y <= m_y + pitch) {
    if (m_firstVisible > 0) --m_firstVisible;
  } else if (y >= m_y + pitch * float(m_visibleRows - 1)) {
    const unsigned int lastFirst = static_cast<unsigned int>(m_items.size()) - m_visibleRows;
    if (m_firstVisible < lastFirst) ++m_firstVisible;
  }
}

void SUIListBox::PlaceItem(SUILabel& item, bool selected, float x, float y) {
  item.m_x = x;
  item.m_y = y;
  item.m_background = selected ? m_selectedRowSprite : m_rowSprite;
  item.m_alignment = m_alignment;
  std::memcpy(item.GetFont()->Color, m_color, sizeof m_color);
  item.GetFont()->CacheValid = false;
  item.m_marginLeft = m_marginLeft;
  item.m_marginTop = m_marginTop;
  item.m_marginRight = m_marginRight;
  item.m_marginBottom = m_marginBottom;
}

void SUIListBox::DrawArrow(float x, float y, bool flipped) {
  const float side = RowPitch();
  PlaceSprite(*m_scrollArrowSprite, x, y, side, side);
  m_scrollArrowSprite->FlipVertical = flipped;
  m_scrollArrowSprite->CacheValid = false;
  RenderOnScreen(*m_scrollArrowSprite);
}

void SUIListBox::DoRender(float dx, float dy) {
  TScopedLock<SLockGuard> hold(m_lock);
  const float left = dx + m_x;
  const float top = dy + m_y;
  const float pitch = RowPitch();
  const size_t end = std::min(m_items.size(), size_t(m_firstVisible) + m_visibleRows);
  for (size_t i = m_firstVisible; i < end; ++i) {
    SUILabel& item = *m_items[i];
    PlaceItem(item, i == m_selected, left, top + pitch * float(i - m_firstVisible));
    item.Render(0.0f, 0.0f);
  }
  if (!Scrolls() || !m_scrollArrowSprite) return;
  DrawArrow(left + TextColumnWidth(), top, false);
  DrawArrow(left + TextColumnWidth(), top + pitch * float(m_visibleRows - 1), true);
}

}  // namespace UI
}  // namespace KorvexEngine
