#include "SEngineException.h"
#include "SUIApplication.h"
#include "SUIButton.h"
#include "SUICheckBox.h"
#include "SUIToolTip.h"
#include "SUIForm.h"
#include "UITestSupport.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

using KorvexEngine::UI::SUIApplication;
using KorvexEngine::UI::SUIControl;
using KorvexEngine::UI::SUIForm;

// A rectangle that writes down its reactions.
class Probe : public SUIControl {
 public:
  Probe(float x, float y, float width, float height) : x(x), y(y), width(width), height(height) {}
  bool HitTest(float px, float py) override {
    lastX = px;
    lastY = py;
    return px >= x && px <= x + width && py >= y && py <= y + height;
  }
  void OnMouseOver() override { seen.push_back("over"); }
  void OnMouseDown(float, float) override { seen.push_back("down"); }
  void OnMouseOut() override { seen.push_back("out"); }
  void DoRender(float, float) override {}
  void OnKeyDown(int key) override { seen.push_back("keydown " + std::to_string(key)); }
  void OnChar(int character) override { seen.push_back("char " + std::to_string(character)); }

  std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(seen);
    return taken;
  }

  float x, y, width, height;
  float lastX = -1.0f, lastY = -1.0f;
  std::vector<std::string> seen;
};

typedef std::vector<std::string> Seen;

class UIForms : public UITest::UIFixture {
 protected:
  void SetUp() override {
    UIFixture::SetUp();
    application = Listening(boost::make_shared<SUIApplication>());
  }

  // A form over the whole target with one probe over its left half.
  boost::shared_ptr<Probe> AddFormWithProbe(const std::string& name) {
    const auto form = boost::make_shared<SUIForm>(name);
    form->m_viewport = viewport;
    form->m_x = form->m_y = 0.0f;
    form->m_width = form->m_height = 1.0f;
    const auto probe = boost::make_shared<Probe>(0.0f, 0.0f, 0.5f, 1.0f);
    probe->m_viewport = viewport;
    form->m_children.push_back(probe);
    application->AddForm(form);
    forms.push_back(form);
    return probe;
  }

  boost::shared_ptr<SUIApplication> application;
  std::vector<boost::shared_ptr<SUIForm>> forms;
};

TEST_F(UIForms, OnlyTheTopFormOfTheStackReceivesInputAndHidingItMakesTheOneBelowActive) {
  const auto a = AddFormWithProbe("A");
  const auto b = AddFormWithProbe("B");
  EXPECT_EQ(application->GetActiveFormName(), "");
  application->ShowForm("A");
  application->ShowForm("B");
  EXPECT_EQ(application->GetActiveFormName(), "B");

  ClickAt(0.25f, 0.5f);
  EXPECT_EQ(a->Take(), Seen{});
  EXPECT_EQ(b->Take(), (Seen{"over", "over", "down", "over"})) << "move and up, down, up";
  pump->QueueChar('x');
  Tick();
  EXPECT_EQ(b->Take(), (Seen{"over", "char 120"}));

  application->HideForm();
  EXPECT_EQ(application->GetActiveFormName(), "A");
  EXPECT_TRUE(forms[1]->m_hidden);
  EXPECT_FALSE(forms[1]->m_enabled);
  EXPECT_TRUE(forms[0]->m_enabled && !forms[0]->m_hidden);
  Tick();
  EXPECT_EQ(a->Take(), (Seen{"over"}));
  EXPECT_EQ(b->Take(), Seen{});

  application->HideForm();
  EXPECT_EQ(application->GetActiveFormName(), "");
  application->HideForm();
  Tick();
  EXPECT_EQ(a->Take(), Seen{}) << "no active form, no input";

  application->ShowForm("A");
  application->ShowForm("B");
  application->HideAllForms();
  EXPECT_EQ(application->GetActiveFormName(), "");
}

TEST_F(UIForms, ADuplicateNameOrAnUnknownFormRaisesAndChangesNothing) {
  AddFormWithProbe("Menu");
  application->ShowForm("Menu");
  const auto twin = boost::make_shared<SUIForm>("Menu");
  EXPECT_EQ(RenderTest::FailureOf([&] { application->AddForm(twin); }), "form:Menu already contains in apllication");
  EXPECT_THROW(application->ShowForm("Options"), KorvexEngine::SEngineException);
  EXPECT_EQ(application->GetActiveFormName(), "Menu");
  application->HideForm();
  EXPECT_EQ(application->GetActiveFormName(), "") << "the failed show pushed nothing";
}

TEST_F(UIForms, AFormShiftsItsChildrensInputByItsCornerTruncatedToWholePixels) {
  const auto probe = AddFormWithProbe("Shifted");
  application->ShowForm("Shifted");
  for (float formX : {0.25f, 0.2501f}) {
    forms[0]->m_x = formX;
    Platform::InputEvents::CursorMovedTo(int(width) / 2, 0);
    Tick();
    const int shift = int(formX * width);
    EXPECT_FLOAT_EQ(probe->lastX, float(int(width) / 2 - shift) / width) << formX;
  }
}

TEST_F(UIForms, ADisabledControlIgnoresPressesButStillSeesTheCursorAndItsEdgesAreInside) {
  const auto probe = AddFormWithProbe("Edges");
  application->ShowForm("Edges");
  probe->m_enabled = false;
  Platform::InputEvents::CursorMovedTo(int(width) / 2, int(height) - 1);
  Tick();
  EXPECT_EQ(probe->Take(), (Seen{"over"})) << "the right edge is inside";
  EXPECT_EQ(probe->m_state, SUIControl::kOver);
  Hold(true);
  Tick();
  EXPECT_EQ(probe->Take(), Seen{}) << "a disabled child gets no mouse-down";
  EXPECT_EQ(probe->m_state, SUIControl::kOver);
  pump->QueueKeyDown('A');
  Platform::InputEvents::CursorMovedTo(int(width) / 2 - 1, int(height) - 1);
  Hold(false);
  Tick();
  EXPECT_EQ(probe->Take(), (Seen{"over"})) << "the move reaches a disabled child; the up and the key do not";

  probe->m_enabled = true;
  probe->m_state = SUIControl::kNormal;
  probe->Take();
  Platform::InputEvents::CursorMovedTo(int(width) / 2 + 1, 0);
  Tick();
  EXPECT_EQ(probe->Take(), (Seen{"out", "out"})) << "the move and the up miss";
}

// A screen's form that listens to the pump itself is switched off when its screen leaves: then a
// press, a release or a key over its button must not reach the button, whose screen may be gone.
TEST_F(UIForms, ADisabledFormListeningAloneLetsOnlyTheCursorThrough) {
  const auto form = boost::make_shared<SUIForm>("Skip");
  form->m_viewport = viewport;
  form->m_width = form->m_height = 1.0f;
  const auto probe = boost::make_shared<Probe>(0.0f, 0.0f, 1.0f, 1.0f);
  probe->m_viewport = viewport;
  form->m_children.push_back(probe);
  Listening(form);
  form->m_enabled = false;
  Platform::InputEvents::CursorMovedTo(10, 10);
  Hold(true);
  Tick();
  pump->QueueKeyDown('K');
  Hold(false);
  Tick();
  for (const std::string& seen : probe->Take()) EXPECT_EQ(seen, "over") << "moves only";

  form->m_enabled = true;
  Hold(true);
  Tick();
  EXPECT_EQ(probe->Take(), (Seen{"down"}));
}

// A screen parks its application disabled or hidden with its forms still on the stack, enabled.
TEST_F(UIForms, AParkedApplicationPassesNoPressOrKeyToItsShownForm) {
  const auto probe = AddFormWithProbe("Parked");
  application->ShowForm("Parked");
  Platform::InputEvents::CursorMovedTo(10, 10);
  const struct {
    bool hidden, enabled;
    bool cursorSeen;
  } parkings[] = {{false, false, true}, {true, true, false}, {true, false, false}};
  for (const auto& parked : parkings) {
    application->m_hidden = parked.hidden;
    application->m_enabled = parked.enabled;
    Hold(true);
    Tick();
    pump->QueueKeyDown('K');
    Hold(false);
    Tick();
    const Seen seen = probe->Take();
    for (const std::string& event : seen) EXPECT_EQ(event, "over") << "hidden " << parked.hidden;
    EXPECT_EQ(!seen.empty(), parked.cursorSeen) << "hidden " << parked.hidden;
  }

  application->m_hidden = false;
  application->m_enabled = true;
  Hold(true);
  Tick();
  EXPECT_EQ(probe->Take(), (Seen{"down"}));
}

TEST_F(UIForms, KeysReachTheReactionsOfAFormsOwnChildrenOnly) {
  const auto outer = AddFormWithProbe("Outer");
  const auto inner = boost::make_shared<SUIForm>("Inner");
  inner->m_viewport = viewport;
  const auto nested = boost::make_shared<Probe>(0.0f, 0.0f, 1.0f, 1.0f);
  nested->m_viewport = viewport;
  inner->m_children.push_back(nested);
  forms[0]->m_children.push_back(inner);
  application->ShowForm("Outer");
  pump->QueueKeyDown('K');
  Tick();
  EXPECT_EQ(outer->Take(), (Seen{"over", "keydown 75"}));
  EXPECT_EQ(nested->Take(), (Seen{"over"})) << "the nested form passes the mouse on, not the key";
}

TEST_F(UIForms, AFrameShowsTheFormsBottomFirstWithTheirControlsAtTheirCorners) {
  const DWORD kGrey = 0xFF808080, kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;
  const auto menu = boost::make_shared<SUIForm>("Menu");
  menu->m_viewport = viewport;
  menu->m_x = 0.125f;
  menu->m_y = 0.25f;
  menu->m_width = 0.75f;
  menu->m_height = 0.5f;
  menu->m_background = Sprite(kGrey);
  const auto renders = boost::make_shared<UITest::Counter>();
  menu->m_renderCallback = renders;
  const auto play = boost::make_shared<KorvexEngine::UI::SUIButton>();
  play->m_viewport = viewport;
  play->m_x = play->m_y = 0.125f;
  play->m_width = play->m_height = 0.125f;
  play->m_normalSprite = Sprite(kRed);
  play->m_overSprite = Sprite(kWhite);
  play->m_downSprite = Sprite(kWhite);
  const auto sound = boost::make_shared<KorvexEngine::UI::SUICheckBox>();
  sound->m_viewport = viewport;
  sound->m_x = 0.5f;
  sound->m_y = 0.125f;
  sound->m_width = sound->m_height = 0.125f;
  sound->m_uncheckedSprite = sound->m_uncheckedOverSprite = Sprite(kBlue);
  sound->m_checkedSprite = sound->m_checkedOverSprite = Sprite(kWhite);
  menu->AddControl(play);
  menu->AddControl(sound);
  EXPECT_EQ(RenderTest::FailureOf([&] { menu->AddControl(nullptr); }),
            "form:Menu can't add an empty control SUIForm::AddControl() .\\Src\\SUIForm at:");
  EXPECT_EQ(menu->m_children.size(), 2u);
  const auto dialog = boost::make_shared<SUIForm>("Dialog");
  dialog->m_viewport = viewport;
  dialog->m_x = 0.5f;
  dialog->m_y = 0.0f;
  dialog->m_width = 0.5f;
  dialog->m_height = 0.5f;
  dialog->m_background = Sprite(kGreen);
  application->AddForm(menu);
  application->AddForm(dialog);
  application->ShowForm("Menu");
  application->ShowForm("Dialog");

  std::vector<DWORD> pixels = Frame(*application);
  EXPECT_EQ(renders->count, 1);
  EXPECT_EQ(PixelAtFraction(pixels, 0.05f, 0.5f), kBlack) << "beside the menu";
  EXPECT_EQ(PixelAtFraction(pixels, 0.2f, 0.7f), kGrey) << "the menu's background";
  EXPECT_EQ(PixelAtFraction(pixels, 0.3f, 0.43f), kRed) << "the button at the menu's corner plus its own";
  EXPECT_EQ(PixelAtFraction(pixels, 0.68f, 0.43f), kGreen) << "the dialog, shown later, over the menu's check box";
  EXPECT_EQ(PixelAtFraction(pixels, 0.68f, 0.55f), kGrey);

  application->HideForm();
  pixels = Frame(*application);
  EXPECT_EQ(PixelAtFraction(pixels, 0.68f, 0.43f), kBlue) << "the check box once the dialog is gone";
  EXPECT_EQ(PixelAtFraction(pixels, 0.75f, 0.1f), kBlack);
  EXPECT_EQ(renders->count, 2);
}

TEST_F(UIForms, InputOnItsOwnThreadWhileTheMainThreadDrawsAndSwitchesFormsNeitherBlocksNorBreaks) {
  const auto form = boost::make_shared<SUIForm>("Menu");
  form->m_viewport = viewport;
  form->m_width = form->m_height = 1.0f;
  const auto button = boost::make_shared<KorvexEngine::UI::SUIButton>();
  button->m_viewport = viewport;
  button->m_width = button->m_height = 1.0f;
  button->m_normalSprite = button->m_overSprite = button->m_downSprite = Sprite(0xFFFF0000);
  const auto toolTip = boost::make_shared<KorvexEngine::UI::SUIToolTip>();
  toolTip->m_viewport = viewport;
  toolTip->Create(0.05f, 0.05f, 1.0f, 8, kAtlas, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f);
  button->m_toolTip = toolTip;
  form->m_children.push_back(button);
  application->AddForm(form);
  AddFormWithProbe("Other");
  application->ShowForm("Menu");
  button->m_toolTipText = L"PLAY";
  MoveTo(0.5f, 0.5f);

  const int rounds = 200;
  std::thread inputThread([&] {
    for (int round = 0; round < rounds; ++round) Tick();
  });
  for (int round = 0; round < rounds; ++round) {
    application->ShowForm(round % 2 == 0 ? "Other" : "Menu");
    Frame(*application);
    application->HideForm();
  }
  inputThread.join();
  EXPECT_EQ(application->GetActiveFormName(), "Menu");
}

}  // namespace
