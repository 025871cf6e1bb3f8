#include "SApplication.h"

#include "Platform/Win32Keyboard.h"

#include <algorithm>
#include <cstring>

namespace KorvexEngine {

std::atomic<SApplication*> g_Application{nullptr};

SApplication::SApplication() {
  std::memset(m_characterBuffer, 0, sizeof m_characterBuffer);
  std::memset(m_keyboardState, 0, sizeof m_keyboardState);
  std::fill(std::begin(m_characterOfKey), std::end(m_characterOfKey), kNoCharacter);
}

SApplication::~SApplication() {
  SApplication* published = this;
  g_Application.compare_exchange_strong(published, nullptr);
}

void SApplication::KeyWentDown(UINT key, LPARAM lParam) {
  std::memset(m_characterBuffer, 0, sizeof m_characterBuffer);
  GetKeyboardState(m_keyboardState);
  const int made = ToAscii(key, static_cast<UINT>(lParam), m_keyboardState, m_characterBuffer, 0);
  if (key < 256) m_characterOfKey[key] = made == 1 ? (m_characterBuffer[0] & 0xFF) : kNoCharacter;
}

void SApplication::KeyWentUp(UINT key) {
  if (key >= 256 || m_characterOfKey[key] == kNoCharacter) return;
  const BYTE character = static_cast<BYTE>(m_characterOfKey[key]);
  m_characterOfKey[key] = kNoCharacter;
  OnChar(character);
}

void SApplication::TranslateWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      OnKeyDown(static_cast<UINT>(wParam));
      KeyWentDown(static_cast<UINT>(wParam), lParam);
      break;
    case WM_KEYUP:
      OnKeyUp(static_cast<UINT>(wParam));
      KeyWentUp(static_cast<UINT>(wParam));
      break;
    case WM_SETFOCUS:
      OnSetFocus();
      break;
    case WM_KILLFOCUS:
      OnKillFocus();
      break;
    default:
      break;
  }
  OnMessage(message, static_cast<UINT>(wParam), static_cast<UINT>(lParam));
}

}  // namespace KorvexEngine
