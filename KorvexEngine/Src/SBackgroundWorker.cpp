#include "SBackgroundWorker.h"

#include "KorvexCoreException.h"
#include "SLoger.h"

#include <exception>

namespace KorvexEngine {

SBackgroundWorker::~SBackgroundWorker() {
  WaitUntilEnded(m_running, "the background worker's thread to end");
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
  RunTaskAndReport();
  // The last touch of the worker: its owner may destroy it from now on.
  m_running = 0;
}

void SBackgroundWorker::RunTaskAndReport() {
  bool failed = true;
  try {
    if (!m_task) throw SCore::KorvexCoreException("SBackgroundWorker::Run() without a task");
    m_task->Invoke();
    if (m_finish) m_finish->Invoke();
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
  if (failed && m_failure) ReportFailure(m_failure);
}

}  // namespace KorvexEngine
