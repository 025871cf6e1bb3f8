#pragma once

#include "SLockGuard.h"
#include "SRect.h"
#include "SSprite.h"
#include "STextureFont.h"
#include "SUIControl.h"
#include "SUILabel.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace KorvexEngine {
namespace UI {

// A scrolling column of text items with one selected, and an arrow column beside it that scrolls
// when there are more items than rows. The game changes the items on the main thread while the
// input thread selects and scrolls, so changes, clicks and drawing go through the box's lock.
class SUIListBox : public SUIControl {
 public:
  SUIListBox();
  ~SUIListBox() override;

  bool HitTest(float x, float y) override;
  void OnMouseOver() override {}
  void OnMouseDown(float x, float y) override;
  void OnMouseOut() override {}
  void DoRender(float dx, float dy) override;

  // Each selects the new item.
  void AddItem(const std::wstring& text);
  void InsertFront(const std::wstring& text);
  // Does nothing unless the selection names an item.
  void RemoveSelected();
  // Selects the first item with exactly that text; without one, the selection is one past the last item.
  void FindItem(const std::wstring& text);
  // Appends the font of every item, in order.
  void GetItems(std::vector<boost::shared_ptr<STextureFont>>& fonts);
  // The selected item's text; m_emptyText when no item is selected (an empty list included).
  std::wstring GetSelectedText();

  float m_x;
  float m_y;
  std::vector<boost::shared_ptr<SUILabel>> m_items;
  float m_cellWidth;
  float m_cellHeight;
  float m_spacing;
  unsigned int m_maxCharacters;
  unsigned int m_firstVisible;
  SCore::SRect m_textureRect;
  std::string m_textureName;
  float m_glyphColumns;
  float m_glyphRows;
  unsigned int m_visibleRows;
  boost::shared_ptr<SSprite> m_rowSprite;
  boost::shared_ptr<SSprite> m_selectedRowSprite;
  boost::shared_ptr<SSprite> m_scrollArrowSprite;
  unsigned int m_selected;
  int m_alignment;
  BYTE m_color[4];  // alpha, red, green, blue
  float m_marginLeft;
  float m_marginTop;
  float m_marginRight;
  float m_marginBottom;
  std::wstring m_emptyText;

 private:
  boost::shared_ptr<SUILabel> MakeItem(const std::wstring& text);
  float RowPitch() const { return m_marginTop + m_cellHeight + m_marginBottom; }
  float TextColumnWidth() const;
  bool Scrolls() const { return m_items.size() > m_visibleRows; }
  void Scroll(float y);
  void PlaceItem(SUILabel& item, bool selected, float x, float y);
  void DrawArrow(float x, float y, bool flipped);

  SLockGuard m_lock;
};

}  // namespace UI
}  // namespace KorvexEngine
