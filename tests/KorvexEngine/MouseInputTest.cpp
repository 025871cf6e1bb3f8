#include "KorvexCoreException.h"
#include "SDI9Input.h"
#include "SDI9Mouse.h"

#include "Platform/InputEvents.h"
#include "Platform/Win32.h"
#include "Platform/Win32Input.h"
#include "Platform/Win32Window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <set>
#include <thread>

using SCore::KorvexCoreException;
using SCore::SDI9Mouse;
namespace InputEvents = Platform::InputEvents;
namespace Testing = Platform::Testing;

class DI9Mouse : public testing::Test {
 protected:
  void SetUp() override {
    InputEvents::Reset();
    void* created = nullptr;
    ASSERT_EQ(DirectInput8Create(nullptr, DIRECTINPUT_VERSION, IID_IDirectInput8A, &created, nullptr), DI_OK);
    m_directInput = static_cast<IDirectInput8A*>(created);
    // A captioned window: its client area starts inside the frame and below the caption.
    m_window = CreateWindowExA(0, "MouseTest", "MouseTest", 0x06CA0000, 100, 50, 328, 272, nullptr, nullptr,
                               nullptr, nullptr);
    ASSERT_NE(m_window, nullptr);
  }
  void TearDown() override {
    DestroyWindow(m_window);
    m_directInput->Release();
    InputEvents::Reset();
  }

  std::unique_ptr<SDI9Mouse> Make(bool fullScreen) {
    return std::make_unique<SDI9Mouse>(m_directInput, m_window, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND, fullScreen);
  }

  POINT ClientOrigin() {
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    EXPECT_TRUE(GetWindowInfo(m_window, &info));
    return POINT{info.rcClient.left, info.rcClient.top};
  }

  IDirectInput8A* m_directInput = nullptr;
  HWND m_window = nullptr;
};

TEST_F(DI9Mouse, InAWindowThePositionIsMeasuredFromTheClientAreaAndMovesAreIgnored) {
  auto mouse = Make(false);
  mouse->m_maximum[0] = 320;
  mouse->m_maximum[1] = 240;
  const POINT origin = ClientOrigin();
  InputEvents::CursorMovedTo(origin.x + 10, origin.y + 20);
  InputEvents::MouseMoved(50, 50);
  mouse->DoUpdate();
  EXPECT_EQ(mouse->m_position[0], 10);
  EXPECT_EQ(mouse->m_position[1], 20);
  InputEvents::CursorMovedTo(origin.x - 5, origin.y - 7);
  mouse->DoUpdate();
  EXPECT_EQ(mouse->m_position[0], -5) << "not clipped to the client area";
  EXPECT_EQ(mouse->m_position[1], -7);
  EXPECT_EQ(mouse->m_previous[0], 10);
  EXPECT_EQ(mouse->m_previous[1], 20);
}

TEST_F(DI9Mouse, InFullScreenMovesAccumulateWithinTheBoundsBeforeTheCursorRules) {
  auto mouse = Make(true);
  mouse->m_maximum[0] = 320;
  mouse->m_maximum[1] = 240;
  InputEvents::CursorMovedTo(30, 40);
  InputEvents::MouseMoved(500, -10);
  InputEvents::WheelMoved(120);
  mouse->DoUpdate();
  EXPECT_EQ(mouse->m_previous[0], 320) << "the accumulated X, clamped to its maximum, is kept as the previous one";
  EXPECT_EQ(mouse->m_previous[1], 0) << "below the minimum: the minimum";
  EXPECT_EQ(mouse->m_position[2], 0) << "the wheel's bounds stay 0";
  EXPECT_EQ(mouse->m_position[0], 30);
  EXPECT_EQ(mouse->m_position[1], 40);
}

// The main thread reads the position to scroll a level and to light a button while the input
// thread's updates write it.
TEST_F(DI9Mouse, ThePositionReadWhileTheInputThreadUpdatesIsAlwaysOneTheCursorHad) {
  auto mouse = Make(false);
  const POINT origin = ClientOrigin();
  InputEvents::CursorMovedTo(origin.x + 10, origin.y + 20);
  std::atomic<bool> updating{true};
  std::thread input([&] {
    for (int update = 0; update < 2000; ++update) mouse->DoUpdate();
    updating = false;
  });
  std::set<LONG> seen;
  while (updating) seen.insert(mouse->m_position[0]);
  input.join();
  seen.insert(mouse->m_position[0]);
  // The position before the first update, then the cursor's.
  EXPECT_TRUE(seen == std::set<LONG>({0, 10}) || seen == std::set<LONG>({10}));
}

TEST_F(DI9Mouse, ButtonEventsOverwriteTheStateInOrder) {
  auto mouse = Make(false);
  InputEvents::MouseButtonChanged(0, true);
  mouse->DoUpdate();
  EXPECT_EQ(mouse->m_buttonStates[0], 1);
  mouse->DoUpdate();
  EXPECT_EQ(mouse->m_buttonStates[0], 1) << "an empty buffer leaves the buttons as they were";
  InputEvents::MouseButtonChanged(0, false);
  InputEvents::MouseButtonChanged(0, true);
  InputEvents::MouseButtonChanged(0, false);
  mouse->DoUpdate();
  EXPECT_EQ(mouse->m_buttonStates[0], 0);
  EXPECT_EQ(mouse->m_buttonEvents[0], 0);
}

TEST_F(DI9Mouse, ALostMouseIsSetUpAgainAndDeliversFromTheNextUpdate) {
  auto mouse = Make(false);
  InputEvents::LoseAcquisition();
  EXPECT_NO_THROW(mouse->DoUpdate());
  InputEvents::MouseButtonChanged(1, true);
  mouse->DoUpdate();
  EXPECT_EQ(mouse->m_buttonStates[1], 1);
}

TEST_F(DI9Mouse, FailuresRaiseTheirTextsWithTheirContexts) {
  const struct {
    const char* operation;
    HRESULT result;
    const char* prefix;
  } cases[] = {
      {"CreateDevice", DIERR_DEVICENOTREG, "can't create mouse device: DIERR_DEVICENOTREG SDI9Mouse::CreateDevice"},
      {"SetProperty", DIERR_UNSUPPORTED, "can't create mouse device : DIERR_UNSUPPORTED SDI9Mouse::SetProperty()"},
      {"SetProperty", DIERR_OBJECTNOTFOUND, "can't create mouse device : DIERR_OBJECTNOTFOUND SDI9Mouse::SetProperty()"},
      {"Acquire", DIERR_NOTINITIALIZED, "can't acquire mouse device : DIERR_NOTINITIALIZED SDI9Mouse::Acquire"},
  };
  for (const auto& c : cases) {
    Testing::FailNextDirectInputCall(c.operation, c.result);
    try {
      Make(false);
      ADD_FAILURE() << c.prefix;
    } catch (const KorvexCoreException& error) {
      EXPECT_EQ(std::string(error.what()).rfind(std::string(c.prefix) + " .\\Src\\dx9\\SDI9Mouse at:", 0), 0u)
          << error.what();
    }
  }
  auto mouse = Make(false);
  Testing::FailNextDirectInputCall("GetDeviceData", DIERR_NOTBUFFERED);
  try {
    mouse->DoUpdate();
    ADD_FAILURE() << "a read that is not buffered raises";
  } catch (const KorvexCoreException& error) {
    EXPECT_EQ(std::string(error.what()).rfind("can't get mouse state - DIERR_NOTBUFFERED SDI9Mouse::GetDeviceData", 0),
              0u);
    EXPECT_NE(std::string(error.what()).find(" SDI9Mouse::DoUpdate .\\Src\\dx9\\SDI9Mouse at:"), std::string::npos);
  }
}

TEST(DI9Input, CreatesBothDevicesAndAnUnknownStrategyCarriesBothContexts) {
  InputEvents::Reset();
  SCore::SDI9Input input;
  input.CreateInput(false, nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND, 0);
  ASSERT_TRUE(input.GetKeyboard());
  ASSERT_TRUE(input.GetMouse());
  InputEvents::KeyChanged(DIK_ESCAPE, true);
  InputEvents::MouseButtonChanged(0, true);
  input.Update();
  EXPECT_NE(input.GetKeyboard()->IsKeyPressed(DIK_ESCAPE), 0);
  EXPECT_EQ(input.GetMouse()->m_buttonStates[0], 1);
  try {
    input.CreateInput(false, nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND, 2);
    FAIL() << "kind 2 names no strategy";
  } catch (const KorvexCoreException& error) {
    const std::string message = error.what();
    EXPECT_EQ(message.rfind("can't create keyboard press strategy SDI9Input::CreateKeyboard() .\\Src\\dx9\\SDI9Input at:", 0), 0u);
    EXPECT_NE(message.find(" SDI9Input::CreateInput() .\\Src\\dx9\\SDI9Input at:"), std::string::npos);
  }
  Testing::FailNextDirectInputCall("DirectInput8Create", DIERR_OLDDIRECTINPUTVERSION);
  try {
    input.CreateInput(false, nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND, 0);
    FAIL() << "a failed creation raises";
  } catch (const KorvexCoreException& error) {
    EXPECT_EQ(std::string(error.what()).rfind("can't create Direct Input - DIERR_OLDDIRECTINPUTVERSION SDI9Input::CreateInput()", 0), 0u);
  }
  InputEvents::Reset();
}
