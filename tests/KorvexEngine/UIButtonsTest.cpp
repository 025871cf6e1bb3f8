#include "SEngineException.h"
#include "SUIButton.h"
#include "SUICheckBox.h"
#include "SUILabel.h"
#include "SUIToolTip.h"
#include "UITestSupport.h"

#include "Platform/TestHooks.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

namespace {

using KorvexEngine::UI::SUIButton;
using KorvexEngine::UI::SUICheckBox;
using KorvexEngine::UI::SUIControl;
using KorvexEngine::UI::SUILabel;
using KorvexEngine::UI::SUIToolTip;

const DWORD kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kGrey = 0xFF808080;

class UIButtons : public UITest::UIFixture {
 protected:
  void SetUp() override {
    UIFixture::SetUp();
    button = Listening(boost::make_shared<SUIButton>());
    button->m_x = button->m_y = 0.25f;
    button->m_width = button->m_height = 0.5f;
    button->m_normalSprite = Sprite(kRed);
    button->m_overSprite = Sprite(kGreen);
    button->m_downSprite = Sprite(kBlue);
    button->m_disabledSprite = Sprite(kGrey);
    button->m_clickCallback = clicks;
    button->m_hoverCallback = hovers;
  }
  void TearDown() override {
    Platform::Testing::UseRealClock();
    UIFixture::TearDown();
  }

  DWORD ButtonColour() { return PixelAtFraction(Frame(*button), 0.5f, 0.5f); }

  boost::shared_ptr<SUIButton> button;
  const boost::shared_ptr<UITest::Counter> clicks = boost::make_shared<UITest::Counter>();
  const boost::shared_ptr<UITest::Counter> hovers = boost::make_shared<UITest::Counter>();
};

TEST_F(UIButtons, AClickFiresOnceOnReleaseOverTheButtonWhichDrawsItsState) {
  EXPECT_EQ(ButtonColour(), kRed);
  MoveTo(0.5f, 0.5f);
  Tick();
  EXPECT_EQ(ButtonColour(), kGreen);
  Hold(true);
  Tick();
  EXPECT_EQ(button->m_state, SUIControl::kDown);
  EXPECT_EQ(ButtonColour(), kBlue);
  EXPECT_EQ(clicks->count, 0) << "the press alone does not click";
  Hold(false);
  Tick();
  EXPECT_EQ(clicks->count, 1);
  Tick();
  EXPECT_EQ(clicks->count, 1);
  EXPECT_EQ(hovers->count, 1) << "one hover while the cursor stays";
  MoveTo(0.9f, 0.9f);
  Tick();
  EXPECT_EQ(ButtonColour(), kRed);
  MoveTo(0.5f, 0.5f);
  Tick();
  EXPECT_EQ(hovers->count, 2) << "again after leaving";
}

TEST_F(UIButtons, AMoveWhileHeldClicksAtOnceAndAPressDraggedOffClicksOnlyWhenTheCursorReturns) {
  MoveTo(0.5f, 0.5f);
  Tick();
  Hold(true);
  Tick();
  Platform::InputEvents::CursorMovedTo(int(0.5f * width) + 1, int(0.5f * height));
  Tick();
  EXPECT_EQ(clicks->count, 1) << "moved by one pixel while held";
  Hold(false);
  Tick();
  EXPECT_EQ(clicks->count, 1);

  Hold(true);
  Tick();
  MoveTo(0.9f, 0.9f);
  Tick();
  Hold(false);
  Tick();
  EXPECT_EQ(clicks->count, 1) << "released off the button";
  MoveTo(0.5f, 0.5f);
  Tick();
  EXPECT_EQ(clicks->count, 2) << "the pending press clicks when the cursor is back";
}

TEST_F(UIButtons, ADisabledButtonIsNeverPressedAndDrawsItsDisabledSprite) {
  button->m_enabled = false;
  ClickAt(0.5f, 0.5f);
  EXPECT_FALSE(button->m_pressed);
  EXPECT_EQ(clicks->count, 0);
  EXPECT_EQ(button->m_state, SUIControl::kOver);
  EXPECT_EQ(ButtonColour(), kGrey);
}

TEST_F(UIButtons, EnterClicksOnlyADefaultButton) {
  TypeKey(13);
  EXPECT_EQ(clicks->count, 0);
  button->m_defaultButton = true;
  TypeKey(13);
  EXPECT_EQ(clicks->count, 1);
  TypeKey(' ');
  EXPECT_EQ(clicks->count, 1);
}

TEST_F(UIButtons, ATooltipAppearsBelowTheButtonFadingInAndFadesOutAfterTheCursorLeaves) {
  Platform::Testing::SetFakeClock(1000);
  const auto toolTip = boost::make_shared<SUIToolTip>();
  toolTip->m_viewport = viewport;
  EXPECT_THROW(toolTip->SetFadeMode(1), KorvexEngine::SEngineException) << "no background to fade";
  toolTip->m_label->m_background = Sprite(kGrey);
  toolTip->m_fadeMode = 1;
  toolTip->Create(0.05f, 0.05f, 1.0f, 8, kAtlas, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f);
  button->m_toolTip = toolTip;
  button->m_toolTipText = L"Play";
  const auto alpha = [&] { return int(toolTip->GetFont()->Color[0]); };

  MoveTo(0.5f, 0.5f);
  Tick();
  EXPECT_EQ(toolTip->m_label->m_text, L"Play");
  EXPECT_FLOAT_EQ(toolTip->m_label->m_x, 0.35f);
  EXPECT_FLOAT_EQ(toolTip->m_label->m_y, 0.85f);
  Frame(*button);
  EXPECT_TRUE(toolTip->m_shown);
  EXPECT_EQ(alpha(), 0) << "the fade in starts";
  Platform::Testing::AdvanceFakeClock(250);
  Frame(*button);
  EXPECT_GT(alpha(), 0);
  EXPECT_LT(alpha(), 255);
  Platform::Testing::AdvanceFakeClock(300);
  EXPECT_EQ(PixelAtFraction(Frame(*button), 0.65f, 0.87f), kGrey) << "its background below the button, beside the text";
  EXPECT_EQ(alpha(), 255);

  MoveTo(0.1f, 0.1f);
  Tick();
  Frame(*button);
  EXPECT_FALSE(toolTip->m_shown);
  Platform::Testing::AdvanceFakeClock(250);
  Frame(*button);
  EXPECT_GT(alpha(), 0) << "still fading out";
  Platform::Testing::AdvanceFakeClock(300);
  Frame(*button);
  EXPECT_EQ(alpha(), 0);
  EXPECT_EQ(PixelAtFraction(Frame(*button), 0.65f, 0.87f), kBlack);
}

TEST_F(UIButtons, ACheckBoxTogglesOnEachPressAndReportsOnTheTickAfter) {
  const auto box = Listening(boost::make_shared<SUICheckBox>());
  box->m_x = box->m_y = 0.0f;
  box->m_width = box->m_height = 0.2f;
  box->m_uncheckedSprite = Sprite(kRed);
  box->m_uncheckedOverSprite = Sprite(kGrey);
  box->m_checkedSprite = Sprite(kGreen);
  box->m_checkedOverSprite = Sprite(kBlue);
  const auto changes = boost::make_shared<UITest::Counter>();
  box->m_changeCallback = changes;
  EXPECT_EQ(PixelAtFraction(Frame(*box), 0.1f, 0.1f), kRed);
  for (bool checked : {true, false}) {
    MoveTo(0.1f, 0.1f);
    Tick();
    const int before = changes->count;
    Hold(true);
    Tick();
    EXPECT_EQ(box->m_checked, checked);
    EXPECT_EQ(changes->count, before);
    Hold(false);
    Tick();
    EXPECT_EQ(changes->count, before + 1);
    EXPECT_EQ(PixelAtFraction(Frame(*box), 0.1f, 0.1f), checked ? kBlue : kGrey);
  }
  box->m_enabled = false;
  MoveTo(0.5f, 0.5f);
  Tick();
  EXPECT_EQ(PixelAtFraction(Frame(*box), 0.1f, 0.1f), kRed) << "a disabled box looks the same";
}

TEST_F(UIButtons, ALabelHitsItsWholeBoxAndDrawsAFixedBoxWithItsTextAligned) {
  SUILabel label;
  label.m_viewport = viewport;
  label.Create(0.02f, 0.05f, 1.0f, 10, kAtlas, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f);
  label.SetText(L"AB");
  EXPECT_TRUE(label.HitTest(0.1999f, 0.04f)) << "the whole box, whatever the text";
  EXPECT_FALSE(label.HitTest(0.2001f, 0.0f));
  label.m_spacing = 1.12f;
  label.m_background = Sprite(kGrey);
  Frame(label);
  EXPECT_FLOAT_EQ(label.m_background->Position.Width, 0.02f * (0.12f * 9 + 10));

  label.m_spacing = 1.0f;
  label.m_alignment = 2;
  label.m_marginLeft = 0.01f;
  label.SetText(L"ABCDEFGHIJ");
  Frame(label);
  EXPECT_FLOAT_EQ(label.GetFont()->Position.X, 0.01f) << "a full centred box starts at its left margin";
}

}  // namespace
