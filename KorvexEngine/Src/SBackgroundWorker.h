#pragma once

#include "IUIEvent.h"
#include "SThread.h"

#include <boost/shared_ptr.hpp>

namespace KorvexEngine {

// Runs one task on its own thread, then the finish callback. A failure is reported on the worker's
// thread (message box, then the log) and the finish callback does not run.
class SBackgroundWorker : public SThread {
 public:
  ~SBackgroundWorker() override;
  void Run() override;

  void SetTask(boost::shared_ptr<UI::IUIEvent> task) { m_task = task; }
  void SetFinish(boost::shared_ptr<UI::IUIEvent> finish) { m_finish = finish; }

 private:
  boost::shared_ptr<UI::IUIEvent> m_task;
  boost::shared_ptr<UI::IUIEvent> m_finish;
};

}  // namespace KorvexEngine
