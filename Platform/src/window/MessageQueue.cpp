#include "MessageQueue.h"

#include "KeyboardState.h"
#include "SdlEventTranslator.h"
#include "WindowRegistry.h"

#include "Platform/MMSystem.h"
#include "Platform/Win32Input.h"
#include "Platform/Win32Keyboard.h"

#include <SDL.h>

namespace Platform {

namespace {

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG made{window, message, wParam, lParam, timeGetTime(), POINT{0, 0}};
  GetCursorPos(&made.pt);
  return made;
}

bool IsKeyMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

// The key and button states change as their messages are taken, as they were when they happened.
void UpdateKeyboardState(const QueuedMessage& taken) {
  const UINT message = taken.message.message;
  if (taken.stateKey == 0) return;
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_LBUTTONDOWN ||
                    message == WM_RBUTTONDOWN;
  if (IsKeyMessage(message) || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_RBUTTONDOWN ||
      message == WM_RBUTTONUP) {
    KeyboardState::Changed(taken.stateKey, down);
  }
}

}  // namespace

MessageQueue& MessageQueue::Instance() {
  // Never destroyed: windows closed by exit-time destructors may still post.
  static MessageQueue* queue = new MessageQueue;
  return *queue;
}

void MessageQueue::Post(const QueuedMessage& queued) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_line.push_back(queued);
}

void MessageQueue::PostMouseMove(HWND window, WPARAM buttons, LPARAM position) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  for (auto waiting = m_line.rbegin(); waiting != m_line.rend(); ++waiting) {
    if (waiting->message.message == WM_MOUSEMOVE && waiting->message.hwnd == window) {
      waiting->message.wParam = buttons;
      waiting->message.lParam = position;
      waiting->message.time = timeGetTime();
      return;
    }
  }
  m_line.push_back(QueuedMessage{MakeMessage(window, WM_MOUSEMOVE, buttons, position), 0});
}

void MessageQueue::RequestPaint(HWND window) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_paintRequests.insert(window);
}

void MessageQueue::ValidatePaint(HWND window) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_paintRequests.erase(window);
}

void MessageQueue::RequestQuit(int exitCode) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_quitCode = exitCode;
}

bool MessageQueue::TakeFromLine(MSG& out, bool remove) {
  if (m_line.empty()) return false;
  const QueuedMessage taken = m_line.front();
  out = taken.message;
  if (remove) {
    m_line.pop_front();
    UpdateKeyboardState(taken);
  }
  return true;
}

bool MessageQueue::Take(MSG& out, bool remove) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  if (TakeFromLine(out, remove)) return true;
  if (m_quitCode) {
    out = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(*m_quitCode), 0);
    if (remove) m_quitCode.reset();
    return true;
  }
  if (!m_paintRequests.empty()) {
    // A paint request stays until the window procedure validates it.
    out = MakeMessage(*m_paintRequests.begin(), WM_PAINT, 0, 0);
    return true;
  }
  return false;
}

void MessageQueue::Clear() {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_line.clear();
  m_quitCode.reset();
  m_paintRequests.clear();
  KeyboardState::Clear();
}

}  // namespace Platform

using Platform::MessageQueue;
using Platform::QueuedMessage;

BOOL PeekMessageA(LPMSG message, HWND /*window*/, UINT /*filterMin*/, UINT /*filterMax*/, UINT removal) {
  if (message == nullptr) return FALSE;
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) Platform::TranslateSdlEvent(event);
  }
  return MessageQueue::Instance().Take(*message, (removal & PM_REMOVE) != 0);
}

BOOL TranslateMessage(const MSG* message) {
  return message != nullptr && (message->message == WM_KEYDOWN || message->message == WM_KEYUP);
}

LRESULT DispatchMessageA(const MSG* message) {
  if (message == nullptr || message->hwnd == nullptr) return 0;
  const WNDPROC procedure = Platform::WindowProcedureOf(message->hwnd);
  return procedure == nullptr ? 0 : procedure(message->hwnd, message->message, message->wParam, message->lParam);
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_CLOSE:
      // As a closed window is destroyed: its procedure hears of it, and it disappears.
      if (const WNDPROC procedure = Platform::WindowProcedureOf(window)) procedure(window, WM_DESTROY, 0, 0);
      Platform::HideClosedWindow(window);
      return 0;
    case WM_PAINT:
      MessageQueue::Instance().ValidatePaint(window);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F1 + 3) PostMessageA(window, WM_CLOSE, 0, 0);
      return 0;
    default:
      return 0;
  }
}

void PostQuitMessage(int exitCode) { MessageQueue::Instance().RequestQuit(exitCode); }

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG posted{window, message, wParam, lParam, timeGetTime(), POINT{0, 0}};
  GetCursorPos(&posted.pt);
  MessageQueue::Instance().Post(QueuedMessage{posted, 0});
  return TRUE;
}
