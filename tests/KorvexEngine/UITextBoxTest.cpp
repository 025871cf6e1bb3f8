#include "SUITextBox.h"
#include "UITestSupport.h"

#include "LogCapture.h"

#include "Platform/TestHooks.h"
#include "Platform/Win32.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <string>

namespace {

using KorvexEngine::UI::SUITextBox;

const BYTE kBackspace = 8;

class UITextBoxes : public UITest::UIFixture {
 protected:
  // A box of 20 cells 0.02 wide at the left-upper corner.
  boost::shared_ptr<SUITextBox> Box(bool localeInput) {
    const auto box = Listening(boost::make_shared<SUITextBox>("Russian"));
    box->Create(0.02f, 0.05f, 1.0f, kAtlas, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f);
    box->m_localeInput = localeInput;
    return box;
  }
  void Focus() { ClickAt(0.1f, 0.02f); }
};

TEST_F(UITextBoxes, TypingANameUpperCasesItTakesNationalLettersAndBackspaceErasesOnePerPress) {
  const auto box = Box(true);
  TypeChars("abc");
  EXPECT_EQ(box->GetText(), L"") << "not focused yet";
  Focus();
  TypeChars("ivan");
  pump->QueueChar(200);  // И in code page 1251
  pump->QueueChar(0xFF);  // я
  Tick();
  EXPECT_EQ(box->GetText(), L"IVAN\x0418\x044F");
  EXPECT_EQ(box->GetFont()->Text, box->GetText());
  EXPECT_EQ(box->m_cursor, 6u);
  for (int press = 0; press < 2; ++press) TypeKey(kBackspace);
  EXPECT_EQ(box->GetText(), L"IVAN");
  EXPECT_EQ(box->GetFont()->Text, L"IVAN");
  for (int press = 0; press < 6; ++press) TypeKey(kBackspace);
  EXPECT_EQ(box->GetText(), L"");
  EXPECT_EQ(box->m_cursor, 0u);
  pump->QueueKeyUp(kBackspace);
  Tick();
  TypeChars("a");
  pump->QueueKeyUp(kBackspace);
  Tick();
  EXPECT_EQ(box->GetText(), L"A") << "a release without its press erases nothing";
}

TEST_F(UITextBoxes, ControlCharactersAndBytesTheLocaleCannotWidenAreLeftOutAndTypingGoesOn) {
  TestSupport::LogCapture log;
  const SYSTEMTIME stamp{2011, 3, 6, 5, 9, 5, 3, 0};
  Platform::Testing::SetFakeLocalTime(stamp);
  const auto box = Box(true);
  Focus();
  for (int character : {13, 9, 127, 27, 0x98, 0x98}) pump->QueueChar(BYTE(character));
  TypeChars("ok");
  Platform::Testing::UseRealLocalTime();
  EXPECT_EQ(box->GetText(), L"OK");
  const std::wstring logged = log.Text();
  EXPECT_NE(logged.find(L"2011-03-05  9:05:03 SUITextBox: ignored a character that locale Russian cannot convert\n"),
            std::wstring::npos)
      << logged;
  EXPECT_EQ(logged.find(L"cannot convert"), logged.rfind(L"cannot convert")) << "reported once";
}

TEST_F(UITextBoxes, WithoutLocaleInputOnlyAsciiIsTakenUpToTwentyCharacters) {
  const auto box = Box(false);
  Focus();
  pump->QueueChar(200);
  TypeChars("abcdefghijklmnopqrstu");
  EXPECT_EQ(box->GetText(), L"ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(box->m_cursor, 20u);
}

TEST_F(UITextBoxes, ABoundStringIsEditedAndDrawnAndItsCursorFollowsAStringShortenedByItsOwner) {
  const auto box = Box(false);
  std::wstring name = L"ANNA";
  box->Bind(&name);
  Focus();
  TypeChars("b");
  EXPECT_EQ(name, L"ANNAB");
  name = L"AN";
  TypeKey(kBackspace);
  EXPECT_EQ(name, L"A") << "the cursor was clamped to the shorter string";
  EXPECT_EQ(box->m_cursor, 1u);

  name = L"ZOE";
  box->m_cursorSprite = Sprite(0xFFFF0000);
  box->m_cursorSprite->SetSize(0.01f, 0.05f);
  Frame(*box);
  EXPECT_EQ(box->GetFont()->Text, L"ZOE");
  EXPECT_FLOAT_EQ(box->m_cursorSprite->Position.X, 0.06f) << "right after the text";
  box->OnLostFocus();
  TypeChars("x");
  EXPECT_EQ(name, L"ZOE");
}

}  // namespace
