// The input of a window-less test of the UI input pump: the test holds and releases the left
// button, and the cursor is the screen position itself.
#pragma once

#include "SInput.h"

#include <atomic>

namespace UITest {

class FakeMouse : public SCore::SMouse {
 public:
  void DoUpdate() override {}
  void DoKill() override {}
};

class FakeInput : public SCore::SInput {
 public:
  FakeInput() { m_mouse.reset(new FakeMouse); }
  void CreateInput(bool, HWND, DWORD, DWORD) override {}
  void CreateKeyboard(DWORD, DWORD) override {}
  void CreateMouse(bool, DWORD) override {}
  void Update() override { ++updates; }
  void Release() override {}
  void HoldLeftButton(bool held) { m_mouse->m_buttonStates[0] = held ? 1 : 0; }
  std::atomic<int> updates{0};
};

}  // namespace UITest
