#pragma once

#include "IUIEvent.h"
#include "SThread.h"

#include <boost/shared_ptr.hpp>

#include <atomic>

namespace KorvexEngine {

// Runs one task on its own thread, then the finish callback. A failure is reported on the worker's
// thread (message box, then the log) and the finish callback does not run; the failure callback,
// when there is one, runs after the report, so that the owner learns of the failure instead of
// waiting for a finish that never comes.
class SBackgroundWorker : public SThread {
 public:
  // Waits until a started thread has ended: the task works on its owner, which may be unwinding
  // from a failure of its own while the thread is still starting or working.
  ~SBackgroundWorker() override;

  void Run() override;

  void SetTask(boost::shared_ptr<UI::IUIEvent> task) { m_task = task; }
  void SetFinish(boost::shared_ptr<UI::IUIEvent> finish) { m_finish = finish; }
  void SetFailure(boost::shared_ptr<UI::IUIEvent> failure) { m_failure = failure; }

 private:
  boost::shared_ptr<UI::IUIEvent> m_task;
  boost::shared_ptr<UI::IUIEvent> m_finish;
  boost::shared_ptr<UI::IUIEvent> m_failure;
  std::atomic<int> m_running{0};

  // Set by Start, so that destroying the worker waits for its thread even before it has begun.
  std::atomic<int>* RunningFlag() override { return &m_running; }
  void RunTaskAndReport();
};

}  // namespace KorvexEngine
