#pragma once

#include "Platform/Win32Messages.h"

#include <atomic>
#include <string>

namespace KorvexEngine {

// The abstract application: the window procedure passes keys, characters, focus and every
// message to these hooks once the application is published in g_Application.
class SApplication {
 public:
  SApplication();
  // Clears g_Application.
  virtual ~SApplication();

  virtual void OnLeftButtonDown() = 0;
  virtual void OnRightButtonDown() = 0;
  virtual void OnLeftButtonUp() = 0;
  virtual void OnRightButtonUp() = 0;
  virtual void OnMessage(UINT /*message*/, UINT /*wParam*/, UINT /*lParam*/) {}
  virtual void DoInit(const std::string& rendererName) = 0;
  virtual void DoRender() = 0;
  virtual void DoReserved() = 0;
  virtual void OnKeyDown(UINT key) = 0;
  virtual void OnKeyUp(UINT key) = 0;
  virtual void OnChar(BYTE character) = 0;
  virtual void OnSetFocus() {}
  virtual void OnKillFocus() {}

  // Passes one window message to the hooks. A key's character reaches OnChar once per press,
  // when the key is released: the character it made when it went down.
  void TranslateWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // Remembers, per virtual key, the character the key made when it went down, so that releasing
  // a modifier first neither loses that character nor leaves a stale one behind.
  void KeyWentDown(UINT key, LPARAM lParam);
  void KeyWentUp(UINT key);

  static constexpr int kNoCharacter = -1;
  WORD m_characterBuffer[256];
  BYTE m_keyboardState[256];
  int m_characterOfKey[256];
};

// The running application, read by the window procedure on the main thread; null until the
// application publishes itself, which the game does from its loader thread.
extern std::atomic<SApplication*> g_Application;

}  // namespace KorvexEngine
