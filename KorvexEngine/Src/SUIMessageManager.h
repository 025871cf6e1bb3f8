#pragma once

#include "SLockGuard.h"
#include "SUIControl.h"

#include "Platform/Win32Types.h"

#include <boost/shared_ptr.hpp>

#include <deque>
#include <vector>

namespace SCore {
class SInput;
}

namespace KorvexEngine {
namespace UI {

// One tick of UI input: reads the input devices and the cursor, and sends mouse, key and
// character events to every registered control in the order of registration. Keys and
// characters come from the main thread's window procedure through three queues.
class SUIMessageManager {
 public:
  explicit SUIMessageManager(boost::shared_ptr<SCore::SInput> input);
  virtual ~SUIMessageManager();

  // May be called from any thread, also while a tick is sending events.
  void AddListener(boost::shared_ptr<SUIControl> listener);

  // Called by the main thread's key hooks.
  void QueueKeyDown(BYTE key);
  void QueueKeyUp(BYTE key);
  void QueueChar(BYTE character);

  void Poll();

 private:
  template <typename Event>
  void Send(void (SUIControl::*entry)(const Event&), const Event& event);
  void SendQueuedKeys();
  std::vector<boost::shared_ptr<SUIControl>> Listeners();

  boost::shared_ptr<SCore::SInput> m_input;
  std::vector<boost::shared_ptr<SUIControl>> m_listeners;
  std::deque<BYTE> m_keyDowns;
  std::deque<BYTE> m_keyUps;
  std::deque<BYTE> m_characters;
  // Guards the three queues.
  SLockGuard m_lock;
  // Guards the listeners, which are walked over a copy so that a handler may register more.
  SLockGuard m_listenersLock;
  int m_lastX = 0;
  int m_lastY = 0;
  bool m_buttonDown = false;
};

}  // namespace UI
}  // namespace KorvexEngine
