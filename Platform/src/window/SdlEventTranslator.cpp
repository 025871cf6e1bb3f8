#include "SdlEventTranslator.h"

#include "KeyCodes.h"
#include "MessageQueue.h"
#include "WindowRegistry.h"

#include "Platform/InputEvents.h"
#include "Platform/MMSystem.h"
#include "Platform/Win32Input.h"
#include "Platform/Win32Keyboard.h"
#include "Platform/Win32Window.h"

namespace Platform {

namespace {

const BYTE kF10 = VK_F1 + 9;

// The mouse buttons as the messages report them in wParam, kept as the events arrive.
WPARAM g_heldButtons = 0;

WPARAM ButtonFlags() {
  const SDL_Keymod modifiers = SDL_GetModState();
  WPARAM flags = g_heldButtons;
  if (modifiers & KMOD_SHIFT) flags |= MK_SHIFT;
  if (modifiers & KMOD_CTRL) flags |= MK_CONTROL;
  return flags;
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, BYTE stateKey) {
  MSG made{window, message, wParam, lParam, timeGetTime(), POINT{0, 0}};
  GetCursorPos(&made.pt);
  MessageQueue::Instance().Post(QueuedMessage{made, stateKey});
}

void MoveCursor(HWND window, Sint32 x, Sint32 y) {
  const POINT origin = ClientOriginOf(window);
  InputEvents::CursorMovedTo(origin.x + x, origin.y + y);
}

// Repeat count 1, the scan code, the extended-key bit, Alt for system keys, the previous state
// (set for repeats and releases) and the transition bit (set for releases).
LPARAM KeyLParam(const KeyCodes& codes, bool down, bool repeat, bool alt) {
  DWORD value = 1 | (static_cast<DWORD>(codes.dik & 0x7F) << 16);
  if (codes.extended) value |= 1u << 24;
  if (alt) value |= 1u << 29;
  if (!down || repeat) value |= 1u << 30;
  if (!down) value |= 1u << 31;
  return static_cast<LPARAM>(value);
}

void TranslateKey(const SDL_KeyboardEvent& key) {
  const bool down = key.type == SDL_KEYDOWN;
  const KeyCodes codes = KeyCodesOf(key.keysym.scancode);
  if (codes.dik != 0 && key.repeat == 0) InputEvents::KeyChanged(codes.dik, down);
  const HWND window = WindowFromSdlId(key.windowID);
  if (codes.virtualKey == 0 || window == nullptr) return;
  const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
  // Alt combinations and F10 are system keys, which the application's key hooks never see.
  const bool system = alt || codes.virtualKey == kF10;
  const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  Post(window, message, GenericVirtualKey(codes.virtualKey), KeyLParam(codes, down, key.repeat != 0, alt),
       codes.virtualKey);
}

struct ButtonMessages {
  Uint8 sdlButton;
  int inputButton;
  UINT down;
  UINT up;
  WPARAM flag;
  BYTE virtualKey;
};

// Only the left and the right button have window messages; every button reaches DirectInput.
const ButtonMessages kButtons[] = {
    {SDL_BUTTON_LEFT, 0, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, VK_LBUTTON},
    {SDL_BUTTON_RIGHT, 1, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, VK_RBUTTON},
    {SDL_BUTTON_MIDDLE, 2, 0, 0, 0, 0},
    {SDL_BUTTON_X1, 3, 0, 0, 0, 0},
    {SDL_BUTTON_X2, 4, 0, 0, 0, 0},
};

void TranslateButton(const SDL_MouseButtonEvent& button) {
  const bool down = button.type == SDL_MOUSEBUTTONDOWN;
  const HWND window = WindowFromSdlId(button.windowID);
  if (window != nullptr) MoveCursor(window, button.x, button.y);
  for (const ButtonMessages& known : kButtons) {
    if (known.sdlButton != button.button) continue;
    InputEvents::MouseButtonChanged(known.inputButton, down);
    if (known.down == 0 || window == nullptr) return;
    g_heldButtons = down ? (g_heldButtons | known.flag) : (g_heldButtons & ~known.flag);
    Post(window, down ? known.down : known.up, ButtonFlags(), MAKELPARAM(button.x, button.y), known.virtualKey);
    return;
  }
}

void TranslateMotion(const SDL_MouseMotionEvent& motion) {
  InputEvents::MouseMoved(motion.xrel, motion.yrel);
  const HWND window = WindowFromSdlId(motion.windowID);
  if (window == nullptr) return;
  MoveCursor(window, motion.x, motion.y);
  RECT client{0, 0, 0, 0};
  GetClientRect(window, &client);
  const bool inClient = motion.x >= 0 && motion.y >= 0 && motion.x < client.right && motion.y < client.bottom;
  // Windows asks the window for its cursor as the mouse moves over it, at once, not through the queue.
  if (inClient) {
    if (const WNDPROC procedure = WindowProcedureOf(window)) {
      procedure(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
  }
  MessageQueue::Instance().PostMouseMove(window, ButtonFlags(), MAKELPARAM(motion.x, motion.y));
}

void TranslateWindowEvent(const SDL_WindowEvent& windowEvent) {
  const HWND window = WindowFromSdlId(windowEvent.windowID);
  if (window == nullptr) return;
  switch (windowEvent.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (HasFocus(window)) return;
      SetFocusFlag(window, true);
      Post(window, WM_SETFOCUS, 0, 0, 0);
      return;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      // Keys and buttons released elsewhere are never reported: count them released now.
      InputEvents::FocusLost();
      g_heldButtons = 0;
      if (!HasFocus(window)) return;
      SetFocusFlag(window, false);
      Post(window, WM_KILLFOCUS, 0, 0, 0);
      return;
    case SDL_WINDOWEVENT_CLOSE:
      Post(window, WM_CLOSE, 0, 0, 0);
      return;
    case SDL_WINDOWEVENT_EXPOSED:
      MessageQueue::Instance().RequestPaint(window);
      return;
    default:
      return;
  }
}

// Registered once, the first time either side asks; SDL hands out numbers no other event uses.
Uint32 UserMessageEventType() {
  static const Uint32 type = SDL_RegisterEvents(1);
  return type;
}

}  // namespace

bool PostUserMessage(HWND window, WPARAM wParam, LPARAM lParam) {
  if (window == nullptr || UserMessageEventType() == Uint32(-1)) return false;
  SDL_Event event{};
  event.type = UserMessageEventType();
  event.user.code = static_cast<Sint32>(wParam);
  event.user.data1 = window;
  event.user.data2 = reinterpret_cast<void*>(lParam);
  return SDL_PushEvent(&event) == 1;
}

void TranslateSdlEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      TranslateKey(event.key);
      return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      TranslateButton(event.button);
      return;
    case SDL_MOUSEMOTION:
      TranslateMotion(event.motion);
      return;
    case SDL_MOUSEWHEEL:
      InputEvents::WheelMoved(event.wheel.y * 120);
      return;
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(event.window);
      return;
    case SDL_QUIT:
      // Asked to end from outside (a signal, the session ending): as if the window were closed.
      PostQuitMessage(0);
      return;
    default:
      if (event.type == UserMessageEventType()) {
        Post(static_cast<HWND>(event.user.data1), WM_USER, static_cast<WPARAM>(event.user.code),
             reinterpret_cast<LPARAM>(event.user.data2), 0);
      }
      return;
  }
}

}  // namespace Platform
