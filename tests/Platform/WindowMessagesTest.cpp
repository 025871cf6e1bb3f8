#include "Platform/InputEvents.h"
#include "Platform/InputInjection.h"
#include "Platform/Win32.h"
#include "Platform/Win32Input.h"
#include "Platform/Win32Keyboard.h"
#include "Platform/Win32Messages.h"
#include "Platform/Win32Window.h"
#include "Platform/Win32WindowClass.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

using namespace Platform::Testing;

namespace {

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

std::vector<Received> g_received;

LRESULT RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  g_received.push_back({message, wParam, lParam});
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

class WindowMessages : public testing::Test {
 protected:
  void SetUp() override {
    g_received.clear();
    Platform::InputEvents::Reset();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &RecordingProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "MessagesTest";
    ASSERT_NE(RegisterClassExA(&windowClass), 0);
    m_window = CreateWindowExA(0, "MessagesTest", "MessagesTest", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, 320, 240,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(m_window, nullptr);
    DrainAll();
  }

  void TearDown() override {
    DrainAll();
    DestroyWindow(m_window);
    UnregisterClassA("MessagesTest", GetModuleHandleA(nullptr));
    Platform::InputEvents::Reset();
  }

  // Takes every waiting message, dispatching each but WM_QUIT; answers what was taken.
  std::vector<MSG> DrainAll() {
    std::vector<MSG> taken;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      taken.push_back(message);
      if (message.message == WM_QUIT) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    return taken;
  }

  HWND m_window = nullptr;
};

TEST_F(WindowMessages, KeysBecomeKeyMessagesWithTheirBits) {
  InjectKey(m_window, SDL_SCANCODE_A, true);
  InjectKey(m_window, SDL_SCANCODE_A, true, true);
  InjectKey(m_window, SDL_SCANCODE_A, false);
  InjectKey(m_window, SDL_SCANCODE_LEFT, true);
  InjectKey(m_window, SDL_SCANCODE_F4, true, false, KMOD_LALT);
  const std::vector<MSG> taken = DrainAll();
  const struct {
    UINT message;
    WPARAM wParam;
    DWORD lParam;
  } expected[] = {
      {WM_KEYDOWN, 'A', 0x001E0001},
      {WM_KEYDOWN, 'A', 0x401E0001},     // a repeat: the key was down before
      {WM_KEYUP, 'A', 0xC01E0001},       // a release: previous state and transition bits
      {WM_KEYDOWN, VK_LEFT, 0x014B0001},  // an extended key
      {WM_SYSKEYDOWN, VK_F1 + 3, 0x203E0001},
      {WM_CLOSE, 0, 0},                  // Alt+F4 closes the window
      {WM_QUIT, 0, 0},                   // and the closed window's procedure asked to quit
  };
  ASSERT_EQ(taken.size(), std::size(expected));
  for (std::size_t i = 0; i < taken.size(); ++i) {
    EXPECT_EQ(taken[i].message, expected[i].message) << i;
    EXPECT_EQ(taken[i].wParam, expected[i].wParam) << i;
    EXPECT_EQ(static_cast<DWORD>(taken[i].lParam), expected[i].lParam) << i;
  }
}

TEST_F(WindowMessages, TheKeyboardStateIsThatOfTheMessageBeingTaken) {
  InjectKey(m_window, SDL_SCANCODE_LSHIFT, true);
  InjectKey(m_window, SDL_SCANCODE_A, true);
  InjectKey(m_window, SDL_SCANCODE_LSHIFT, false);
  MSG message;
  BYTE state[256];
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.wParam, static_cast<WPARAM>(VK_SHIFT)) << "the generic key in the message";
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  GetKeyboardState(state);
  EXPECT_EQ(state[VK_SHIFT] & 0x80, 0x80);
  EXPECT_EQ(state[VK_LSHIFT] & 0x80, 0x80);
  WORD character = 0;
  ASSERT_EQ(ToAscii(static_cast<UINT>(message.wParam), static_cast<UINT>(message.lParam), state, &character, 0), 1);
  EXPECT_EQ(character, 'A');
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  GetKeyboardState(state);
  EXPECT_EQ(state[VK_SHIFT] & 0x80, 0);
}

TEST_F(WindowMessages, ButtonsMovesAndFocusReachTheWindowAndMoveTheCursor) {
  InjectMouseMove(m_window, 10, 20, 10, 20);
  InjectMouseMove(m_window, 30, 40, 20, 20);
  InjectMouseButton(m_window, SDL_BUTTON_LEFT, true, 30, 40);
  InjectMouseButton(m_window, SDL_BUTTON_LEFT, false, 31, 41);
  InjectMouseButton(m_window, SDL_BUTTON_RIGHT, true, 31, 41);
  InjectFocus(m_window, true);
  InjectFocus(m_window, false);
  const std::vector<MSG> taken = DrainAll();
  const struct {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  } expected[] = {
      {WM_MOUSEMOVE, 0, MAKELPARAM(30, 40)},  // two moves merge into the latest
      {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40)},
      {WM_LBUTTONUP, 0, MAKELPARAM(31, 41)},
      {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(31, 41)},
      {WM_SETFOCUS, 0, 0},
      {WM_KILLFOCUS, 0, 0},
  };
  ASSERT_EQ(taken.size(), std::size(expected));
  for (std::size_t i = 0; i < taken.size(); ++i) {
    EXPECT_EQ(taken[i].message, expected[i].message) << i;
    EXPECT_EQ(taken[i].wParam, expected[i].wParam) << i;
    EXPECT_EQ(taken[i].lParam, expected[i].lParam) << i;
  }
  bool askedForCursor = false;
  for (const Received& received : g_received) {
    askedForCursor |= received.message == WM_SETCURSOR && LOWORD(received.lParam) == HTCLIENT;
  }
  EXPECT_TRUE(askedForCursor);

  WINDOWINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetWindowInfo(m_window, &info));
  POINT cursor;
  ASSERT_TRUE(GetCursorPos(&cursor));
  EXPECT_EQ(cursor.x - info.rcClient.left, 31);
  EXPECT_EQ(cursor.y - info.rcClient.top, 41);
}

TEST_F(WindowMessages, PostedMessagesComeInOrderThenQuitThenPaint) {
  InjectExposure(m_window);
  PostMessageA(m_window, WM_USER, 1, 2);
  PostQuitMessage(3);
  PostMessageA(m_window, WM_USER, 4, 5);
  MSG message;
  std::vector<UINT> order;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    order.push_back(message.message);
    if (message.message == WM_QUIT) {
      EXPECT_EQ(message.wParam, 3u);
      continue;
    }
    DispatchMessageA(&message);
  }
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_USER, WM_QUIT, WM_PAINT}))
      << "the paint is taken once and validated by the default procedure";
}

// The user message sent through SDL's queue from another thread reaches the window's procedure
// with its numbers, as the message loop takes it.
TEST_F(WindowMessages, AUserMessageSentFromAnotherThreadReachesTheWindow) {
  std::thread sender([this] { EXPECT_TRUE(Platform::PostUserMessage(m_window, 7, 9)); });
  sender.join();
  EXPECT_FALSE(Platform::PostUserMessage(nullptr, 0, 0));
  DrainAll();
  const auto user = std::find_if(g_received.begin(), g_received.end(),
                                 [](const Received& received) { return received.message == WM_USER; });
  ASSERT_NE(user, g_received.end());
  EXPECT_EQ(user->wParam, 7u);
  EXPECT_EQ(user->lParam, 9);
}

TEST_F(WindowMessages, ClosingTheWindowLeadsToQuit) {
  InjectClose(m_window);
  std::vector<UINT> order;
  for (const MSG& message : DrainAll()) order.push_back(message.message);
  EXPECT_EQ(order, (std::vector<UINT>{WM_CLOSE, WM_QUIT}));
  ASSERT_FALSE(g_received.empty());
  EXPECT_EQ(g_received.back().message, WM_DESTROY);
}
