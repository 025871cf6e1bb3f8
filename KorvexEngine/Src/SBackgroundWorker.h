#pragma once

#include "IUIEvent.h"
#include "SThread.h"

#include <boost/shared_ptr.hpp>

namespace KorvexEngine {

// Runs one task on its own thread, then the finish callback. A failure is reported on the worker's
// thread (message box, then the log) and the finish callback does not run; the failure callback,
// when there is one, runs after the report, so that the owner learns of the failure instead of
// waiting for a finish that never comes.
class SBackgroundWorker : public SThread {
 public:
  ~SBackgroundWorker() override;
  void Run() override;

  void SetTask(boost::shared_ptr<UI::IUIEvent> task) { m_task = task; }
  void SetFinish(boost::shared_ptr<UI::IUIEvent> finish) { m_finish = finish; }
  void SetFailure(boost::shared_ptr<UI::IUIEvent> failure) { m_failure = failure; }

 private:
  boost::shared_ptr<UI::IUIEvent> m_task;
  boost::shared_ptr<UI::IUIEvent> m_finish;
  boost::shared_ptr<UI::IUIEvent> m_failure;
};

}  // namespace KorvexEngine
