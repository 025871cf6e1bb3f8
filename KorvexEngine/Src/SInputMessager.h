#pragma once

#include "SThread.h"
#include "SUIMessageManager.h"

#include <boost/shared_ptr.hpp>

#include <atomic>

namespace SCore {
class SViewport;
}

namespace KorvexEngine {

// The UI input thread: a tick of the message manager every 50 ms until it is told to stop. Every
// UI handler runs on it. Anything raised in a tick ends the thread with one log line.
class SInputMessager : public SThread {
 public:
  SInputMessager();
  // Stops the thread and waits for it, whether it is running or only about to start.
  ~SInputMessager() override;

  void Init(boost::shared_ptr<SCore::SViewport> viewport);
  void AddListener(boost::shared_ptr<UI::SUIControl> listener);
  const boost::shared_ptr<UI::SUIMessageManager>& GetMessageManager() const { return m_messageManager; }

  void Stop() { m_stop = 1; }
  // Stops the thread and waits until it has ended: the UI handlers it runs hold pointers into
  // what the caller is about to destroy.
  void StopAndWait();
  bool IsRunning() const { return m_running != 0; }

  void Run() override;

 private:
  // Set by Start, so that destroying the messager waits for its thread even before its first tick.
  std::atomic<int>* RunningFlag() override { return &m_running; }

  std::atomic<int> m_stop{0};
  std::atomic<int> m_running{0};
  boost::shared_ptr<SCore::SViewport> m_viewport;
  boost::shared_ptr<UI::SUIMessageManager> m_messageManager;
};

}  // namespace KorvexEngine
