#include "SBackgroundWorker.h"

#include "KorvexCoreException.h"
#include "SLoger.h"

#include <exception>

namespace KorvexEngine {

SBackgroundWorker::~SBackgroundWorker() {
  m_failure.reset();
  m_finish.reset();
  m_task.reset();
}

namespace {

// The failure callback runs on the worker's thread after the report; nothing may leave the thread.
void ReportFailure(const boost::shared_ptr<UI::IUIEvent>& failure) {
  try {
    failure->Invoke();
  } catch (...) {
    SCore::g_Loger << "unhandled exception";
  }
}

}  // namespace

void SBackgroundWorker::Run() {
  // The owner may destroy the worker as soon as the finish callback has had its effect, so the
  // callbacks run from local copies and nothing of the worker is touched after it.
  const boost::shared_ptr<UI::IUIEvent> task = m_task;
  const boost::shared_ptr<UI::IUIEvent> finish = m_finish;
  const boost::shared_ptr<UI::IUIEvent> failure = m_failure;
  bool failed = true;
  try {
    if (!task) throw SCore::KorvexCoreException("SBackgroundWorker::Run() without a task");
    task->Invoke();
    if (finish) finish->Invoke();
    failed = false;
  } catch (const SCore::KorvexCoreException& error) {
    MessageBoxA(nullptr, error.what(), nullptr, MB_OK);
    SCore::g_Loger << "KorvexCoreException:" << error.what();
  } catch (const std::exception& error) {
    MessageBoxA(nullptr, error.what(), nullptr, MB_OK);
    SCore::g_Loger << "exception:" << error.what();
  } catch (...) {
    SCore::g_Loger << "unhandled exception";
  }
  if (failed && failure) ReportFailure(failure);
}

}  // namespace KorvexEngine
