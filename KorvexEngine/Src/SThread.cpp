#include "SThread.h"

#include "KorvexCoreException.h"
#include "SLoger.h"

#include "Platform/MMSystem.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

namespace KorvexEngine {

namespace {

const DWORD kPatientWaitMilliseconds = 2000;

}  // namespace

SThread::~SThread() = default;

void SThread::Start() {
  std::atomic<int>* const running = RunningFlag();
  if (running != nullptr) *running = 1;
  m_threadHandle = _beginthreadex(nullptr, 0, &SThread::ThreadProc, this, 0, &m_threadId);
  if (m_threadHandle == 0) {
    if (running != nullptr) *running = 0;
    const std::string message = std::string("can't start thread: ") + std::strerror(errno);
    throw SCore::KorvexCoreException(message.c_str());
  }
  m_priority = GetThreadPriority(reinterpret_cast<HANDLE>(m_threadHandle));
}

unsigned SThread::ThreadProc(void* thread) {
  // Nothing may leave a thread: an escaping exception would end the whole process.
  try {
    static_cast<SThread*>(thread)->Run();
  } catch (...) {
    SCore::g_Loger << " unhandled exception left a thread\n";
  }
  return 0;
}

void SThread::WaitUntilEnded(const std::atomic<int>& running, const char* what) {
  // Measured on the engine's one clock; the wait itself does not sleep through the platform's
  // Sleep, which tests may replace.
  const DWORD started = timeGetTime();
  bool reported = false;
  while (running != 0) {
    if (!reported && timeGetTime() - started > kPatientWaitMilliseconds) {
      SCore::g_Loger << SCore::GetTimeStamp() << " still waiting for " << what << " after "
                     << kPatientWaitMilliseconds << " milliseconds\n";
      reported = true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace KorvexEngine
