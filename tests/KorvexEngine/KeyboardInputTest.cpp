#include "KorvexCoreException.h"
#include "SDI9Keyboard.h"
#include "SKeyboardPressDefault.h"
#include "SKeyboardPressOnce.h"

#include "Platform/InputEvents.h"

#include <gtest/gtest.h>

#include <memory>

using SCore::KorvexCoreException;
using SCore::SDI9Keyboard;
namespace InputEvents = Platform::InputEvents;
namespace Testing = Platform::Testing;

TEST(KeyboardPressStrategy, OnceReportsAPressOnlyOnTheFirstQueryAfterTheKeyWentDown) {
  SCore::SKeyboardPressOnce once;
  SCore::SKeyboardPressDefault held;
  // Key state before each query, and what each strategy answers.
  const struct {
    BYTE state;
    BYTE once;
    BYTE held;
  } queries[] = {
      {0x80, 0x80, 0x80}, {0x80, 0, 0x80}, {0x80, 0, 0x80},  // held through three queries
      {0x00, 0, 0},                                          // seen up once
      {0x80, 0x80, 0x80},                                    // pressed again
      {0x81, 0, 0x80},                                       // only the high bit counts
  };
  for (const auto& query : queries) {
    once.KeyStates()[DIK_SPACE] = query.state;
    held.KeyStates()[DIK_SPACE] = query.state;
    EXPECT_EQ(once.IsPressed(DIK_SPACE), query.once);
    EXPECT_EQ(held.IsPressed(DIK_SPACE), query.held);
  }
}

class DI9Keyboard : public testing::Test {
 protected:
  void SetUp() override {
    InputEvents::Reset();
    void* created = nullptr;
    ASSERT_EQ(DirectInput8Create(nullptr, DIRECTINPUT_VERSION, IID_IDirectInput8A, &created, nullptr), DI_OK);
    m_directInput = static_cast<IDirectInput8A*>(created);
  }
  void TearDown() override {
    m_directInput->Release();
    InputEvents::Reset();
  }

  std::unique_ptr<SDI9Keyboard> Make(DWORD kind = 0) {
    return std::make_unique<SDI9Keyboard>(m_directInput, nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND, kind);
  }

  std::string FailureOfMaking() {
    try {
      Make();
    } catch (const KorvexCoreException& error) {
      return error.what();
    }
    return "<made>";
  }

  IDirectInput8A* m_directInput = nullptr;
};

TEST_F(DI9Keyboard, ReadsHeldKeysByDirectInputCode) {
  auto keyboard = Make();
  InputEvents::KeyChanged(DIK_ESCAPE, true);
  keyboard->DoUpdate();
  EXPECT_NE(keyboard->IsKeyPressed(DIK_ESCAPE), 0);
  EXPECT_EQ(keyboard->IsKeyPressed(DIK_SPACE), 0);
}

TEST_F(DI9Keyboard, ALostKeyboardIsSetUpAgainWithoutRaisingAndReadsFromTheNextUpdate) {
  auto keyboard = Make();
  InputEvents::LoseAcquisition();
  InputEvents::KeyChanged(DIK_UP, true);
  EXPECT_NO_THROW(keyboard->DoUpdate());
  EXPECT_EQ(keyboard->IsKeyPressed(DIK_UP), 0) << "the table is not refreshed by the update that re-acquires";
  keyboard->DoUpdate();
  EXPECT_NE(keyboard->IsKeyPressed(DIK_UP), 0);
}

TEST_F(DI9Keyboard, EachFailedSetUpStepRaisesItsTextWithItsContexts) {
  const struct {
    const char* operation;
    HRESULT result;
    const char* message;
  } cases[] = {
      {"CreateDevice", DIERR_DEVICENOTREG, "can't create keyboard device: DIERR_DEVICENOTREG SDI9Keyboard::CreateDevice"},
      {"CreateDevice", DIERR_NOINTERFACE, "can't create keyboard device : DIERR_NOINTERFACE SDI9Keyboard::CreateDevice"},
      {"CreateDevice", DIERR_OUTOFMEMORY, "can't create keyboard device : DIERR_OUTOFMEMORY SDI9Keyboard::CreateDevice"},
      {"SetDataFormat", DIERR_ACQUIRED, "can't create keyboard device : DIERR_ACQUIRED SDI9Keyboard::SetDataFormat"},
      {"SetDataFormat", DIERR_NOTINITIALIZED,
       "can't create keyboard device : DIERR_NOTINITIALIZED SDI9Keyboard::SetDataFormat"},
      {"SetCooperativeLevel", DIERR_INVALIDPARAM,
       "can't create keyboard device : DIERR_INVALIDPARAM SDI9Keyboard::SetCooperativeLevel"},
      {"Acquire", DIERR_INVALIDPARAM, "can't acquire keyboard device : DIERR_INVALIDPARAM: SDI9Keyboard::Acquire"},
      {"Acquire", DIERR_NOTINITIALIZED, "can't acquire keyboard device : DIERR_NOTINITIALIZED SDI9Keyboard::Acquire"},
  };
  for (const auto& c : cases) {
    Testing::FailNextDirectInputCall(c.operation, c.result);
    const std::string failure = FailureOfMaking();
    EXPECT_EQ(failure.rfind(std::string(c.message) + " .\\Src\\dx9\\SDI9Keyboard at:", 0), 0u) << failure;
    EXPECT_NE(failure.find(" SDI9Keyboard::SDI9Keyboard .\\Src\\dx9\\SDI9Keyboard at:"), std::string::npos);
  }
  Testing::FailNextDirectInputCall("SetCooperativeLevel", E_FAIL);
  EXPECT_EQ(FailureOfMaking(), "<made>") << "results the table does not list are accepted";
}

TEST_F(DI9Keyboard, AFailedReadRaisesAndAnUnknownStrategyIsRefused) {
  auto keyboard = Make();
  Testing::FailNextDirectInputCall("GetDeviceState", E_FAIL);
  try {
    keyboard->DoUpdate();
    FAIL() << "a failed read must raise";
  } catch (const KorvexCoreException& error) {
    EXPECT_EQ(std::string(error.what()).rfind("can't get keyboard state SDI9Keyboard::DoUpdate .\\Src\\dx9\\SDI9Keyboard at:", 0), 0u);
  }
  try {
    Make(2);
    FAIL() << "kind 2 names no strategy";
  } catch (const KorvexCoreException& error) {
    EXPECT_STREQ(error.what(), "can't create keyboard press strategy");
  }
}
