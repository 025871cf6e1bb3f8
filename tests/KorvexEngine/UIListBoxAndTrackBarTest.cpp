#include "SUIListBox.h"
#include "SUITrackBar.h"
#include "UITestSupport.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using KorvexEngine::UI::SUIListBox;
using KorvexEngine::UI::SUITrackBar;

const DWORD kGrey = 0xFF808080, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

class UIListBoxes : public UITest::UIFixture {
 protected:
  // Rows 0.1 high at (0.1, 0.1); a text column 0.2 wide, then the arrow column to 0.4.
  boost::shared_ptr<SUIListBox> Box(int items, unsigned int visibleRows) {
    const auto box = Listening(boost::make_shared<SUIListBox>());
    box->m_x = box->m_y = 0.1f;
    box->m_cellWidth = 0.02f;
    box->m_cellHeight = 0.1f;
    box->m_spacing = 1.0f;
    box->m_maxCharacters = 10;
    box->m_textureName = kAtlas;
    box->m_glyphColumns = box->m_glyphRows = 1.0f;
    box->m_textureRect = SCore::SRect{0.0f, 0.0f, 1.0f, 1.0f};
    box->m_visibleRows = visibleRows;
    for (int item = 0; item < items; ++item) box->AddItem(std::to_wstring(item));
    return box;
  }
  // Row, counted from the box's top row, in the text column or the arrow column.
  void ClickText(int row) { ClickAt(0.2f, 0.15f + 0.1f * float(row)); }
  void ClickArrows(int row) { ClickAt(0.35f, 0.15f + 0.1f * float(row)); }
};

TEST_F(UIListBoxes, AClickSelectsARowAndTheArrowsScrollWithinTheItems) {
  const auto box = Box(10, 4);
  EXPECT_EQ(box->m_selected, 9u) << "the added item is selected";
  ClickText(2);
  EXPECT_EQ(box->m_selected, 2u);
  ClickArrows(3);
  EXPECT_EQ(box->m_firstVisible, 1u);
  for (int click = 0; click < 8; ++click) ClickArrows(3);
  EXPECT_EQ(box->m_firstVisible, 6u) << "the last item stays in the bottom row";
  ClickText(1);
  EXPECT_EQ(box->m_selected, 7u);
  ClickArrows(1);
  EXPECT_EQ(box->m_firstVisible, 6u) << "a middle row of the arrow column does nothing";
  for (int click = 0; click < 8; ++click) ClickArrows(0);
  EXPECT_EQ(box->m_firstVisible, 0u);
  EXPECT_EQ(box->m_selected, 7u);
}

TEST_F(UIListBoxes, ABoxWithoutMoreItemsThanRowsNeitherScrollsNorDrawsArrows) {
  const auto box = Box(4, 4);
  box->m_scrollArrowSprite = Sprite(kBlue);
  ClickArrows(3);
  EXPECT_EQ(box->m_firstVisible, 0u);
  EXPECT_NE(PixelAtFraction(Frame(*box), 0.35f, 0.45f), kBlue);
  box->AddItem(L"4");
  const std::vector<DWORD> pixels = Frame(*box);
  EXPECT_EQ(PixelAtFraction(pixels, 0.35f, 0.15f), kBlue);
  EXPECT_EQ(PixelAtFraction(pixels, 0.35f, 0.45f), kBlue);
  EXPECT_TRUE(box->m_scrollArrowSprite->FlipVertical) << "the bottom arrow is the flipped one";
}

TEST_F(UIListBoxes, TheSelectedRowIsDrawnOnItsOwnSpriteAmongTheVisibleRows) {
  const auto box = Box(6, 3);
  box->m_rowSprite = Sprite(kGrey);
  box->m_selectedRowSprite = Sprite(kGreen);
  box->m_selected = 1;
  ClickArrows(2);
  const std::vector<DWORD> pixels = Frame(*box);
  EXPECT_EQ(PixelAtFraction(pixels, 0.25f, 0.15f), kGreen) << "item 1 in the top row";
  EXPECT_EQ(PixelAtFraction(pixels, 0.25f, 0.25f), kGrey);
  EXPECT_EQ(PixelAtFraction(pixels, 0.25f, 0.35f), kGrey);
  EXPECT_EQ(PixelAtFraction(pixels, 0.25f, 0.45f), kBlack) << "three rows only";
}

TEST_F(UIListBoxes, RemovingTakesOnlyTheSelectedItemAndNothingWithoutASelection) {
  const auto box = Box(10, 4);
  box->FindItem(L"missing");
  EXPECT_EQ(box->m_selected, 10u);
  box->RemoveSelected();
  EXPECT_EQ(box->m_items.size(), 10u) << "no item is selected";
  box->m_firstVisible = 3;
  box->FindItem(L"5");
  box->RemoveSelected();
  std::vector<boost::shared_ptr<KorvexEngine::STextureFont>> fonts;
  box->GetItems(fonts);
  ASSERT_EQ(fonts.size(), 9u);
  EXPECT_EQ(fonts[5]->Text, L"6");
  EXPECT_EQ(box->m_selected, 3u) << "more items than rows: the top visible one";

  const auto small = Box(3, 5);
  small->InsertFront(L"first");
  EXPECT_EQ(small->m_selected, 0u);
  small->m_firstVisible = 1;
  small->RemoveSelected();
  EXPECT_EQ(small->m_items.front()->m_text, L"0");
  EXPECT_EQ(small->m_selected, 0u);
  EXPECT_EQ(small->m_firstVisible, 0u);
}

TEST_F(UIListBoxes, GiveTheSelectedTextOrTheirEmptyTextWhenNothingIsSelected) {
  const auto box = Box(0, 4);
  box->m_emptyText = L"(nobody)";
  EXPECT_EQ(box->GetSelectedText(), L"(nobody)");
  box->AddItem(L"Ann");
  box->AddItem(L"Bob");
  EXPECT_EQ(box->GetSelectedText(), L"Bob");
  box->FindItem(L"Ann");
  EXPECT_EQ(box->GetSelectedText(), L"Ann");
  box->FindItem(L"Cid");
  EXPECT_EQ(box->GetSelectedText(), L"(nobody)");
}

class UITrackBars : public UITest::UIFixture {
 protected:
  void SetUp() override {
    UIFixture::SetUp();
    bar = Listening(boost::make_shared<SUITrackBar>());
    bar->m_x = 0.3f;
    bar->m_y = 0.4f;
    bar->m_width = 0.4f;
    bar->m_height = 0.2f;
    bar->m_thumbSprite = Sprite(kBlue);
    bar->m_changeCallback = changes;
  }
  boost::shared_ptr<SUITrackBar> bar;
  const boost::shared_ptr<UITest::Counter> changes = boost::make_shared<UITest::Counter>();
};

TEST_F(UITrackBars, AClickSetsTheValueAtItsPlaceAndTheThumbStaysOnTheBar) {
  ClickAt(0.5f, 0.5f);
  EXPECT_NEAR(bar->m_value, 0.5f, 2.0f / width / 0.4f);
  EXPECT_EQ(changes->count, 1);
  ClickAt(0.1f, 0.5f);
  EXPECT_EQ(changes->count, 1) << "beside the bar";

  bar->OnMouseDown(0.7000001f, 0.5f);
  EXPECT_EQ(bar->m_value, 1.0f) << "a click a little past the right edge is the end";
  Frame(*bar);
  EXPECT_FLOAT_EQ(bar->m_thumbSprite->Position.X + bar->m_thumbSprite->Position.Width, 0.7f);
  EXPECT_FLOAT_EQ(bar->m_thumbSprite->Position.Y, 0.4f) << "a thumb as high as the bar";
  bar->m_thumbHeight = 0.5f;
  bar->SetValue(0.0f);
  Frame(*bar);
  EXPECT_FLOAT_EQ(bar->m_thumbSprite->Position.X, 0.3f);
  EXPECT_FLOAT_EQ(bar->m_thumbSprite->Position.Y, 0.5f) << "on the bottom edge";
}

TEST_F(UITrackBars, ABarWithoutWidthIgnoresClicks) {
  bar->m_width = 0.0f;
  bar->OnMouseDown(0.3f, 0.5f);
  EXPECT_EQ(bar->m_value, 0.0f);
  EXPECT_EQ(changes->count, 0);
}

}  // namespace
