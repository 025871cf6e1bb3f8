#include "SUIMessageManager.h"

#include "SInput.h"
#include "TScopedLock.h"

#include "Platform/Win32Input.h"
#include "Platform/Win32Window.h"

#include <cassert>

namespace KorvexEngine {
namespace UI {

SUIMessageManager::SUIMessageManager(boost::shared_ptr<SCore::SInput> input) : m_input(input) {}

SUIMessageManager::~SUIMessageManager() = default;

void SUIMessageManager::AddListener(boost::shared_ptr<SUIControl> listener) {
  TScopedLock<SLockGuard> hold(m_listenersLock);
  m_listeners.push_back(listener);
}

void SUIMessageManager::QueueKeyDown(BYTE key) {
  TScopedLock<SLockGuard> hold(m_lock);
  m_keyDowns.push_back(key);
}

void SUIMessageManager::QueueKeyUp(BYTE key) {
  TScopedLock<SLockGuard> hold(m_lock);
  m_keyUps.push_back(key);
}

void SUIMessageManager::QueueChar(BYTE character) {
  TScopedLock<SLockGuard> hold(m_lock);
  m_characters.push_back(character);
}

std::vector<boost::shared_ptr<SUIControl>> SUIMessageManager::Listeners() {
  TScopedLock<SLockGuard> hold(m_listenersLock);
  return m_listeners;
}

template <typename Event>
void SUIMessageManager::Send(void (SUIControl::*entry)(const Event&), const Event& event) {
  for (const boost::shared_ptr<SUIControl>& listener : Listeners()) {
    assert(listener && "listener");
    ((*listener).*entry)(event);
  }
}

// The queues are emptied under their lock and the events sent after it is released, so that a
// handler never holds up the main thread's key hooks; the order is the same.
void SUIMessageManager::SendQueuedKeys() {
  std::deque<BYTE> keyDowns, keyUps, characters;
  {
    TScopedLock<SLockGuard> hold(m_lock);
    keyDowns.swap(m_keyDowns);
    keyUps.swap(m_keyUps);
    characters.swap(m_characters);
  }
  for (BYTE key : keyDowns) Send(&SUIControl::InputKeyDown, SUIInputKeyDownEvent(key));
  for (BYTE key : keyUps) Send(&SUIControl::InputKeyUp, SUIInputKeyUpEvent(key));
  for (BYTE character : characters) Send(&SUIControl::InputChar, SUIInputCharEvent(character));
}

void SUIMessageManager::Poll() {
  m_input->Update();
  POINT cursor{0, 0};
  GetCursorPos(&cursor);
  WINDOWINFO window{};
  window.cbSize = sizeof window;
  GetWindowInfo(m_input->GetWindow(), &window);
  const int x = cursor.x - window.rcClient.left;
  const int y = cursor.y - window.rcClient.top;

  if (x != m_lastX || y != m_lastY) Send(&SUIControl::InputMouseMove, SUIInputMouseMoveEvent(x, y));

  const boost::shared_ptr<SCore::SMouse>& mouse = m_input->GetMouse();
  if (mouse && mouse->m_buttonStates[0] != 0) {
    // While the button is held only moves are sent; the position before the press is kept.
    if (!m_buttonDown) {
      Send(&SUIControl::InputMouseDown, SUIInputMouseDownEvent(x, y, 0));
      m_buttonDown = true;
    }
    return;
  }
  Send(&SUIControl::InputMouseUp, SUIInputMouseUpEvent(x, y, 0));
  m_buttonDown = false;
  SendQueuedKeys();
  m_lastX = x;
  m_lastY = y;
}

}  // namespace UI
}  // namespace KorvexEngine
