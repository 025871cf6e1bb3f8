#include "SThread.h"

#include "KorvexCoreException.h"
#include "SLoger.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace KorvexEngine {

SThread::~SThread() = default;

void SThread::Start() {
  m_threadHandle = _beginthreadex(nullptr, 0, &SThread::ThreadProc, this, 0, &m_threadId);
  if (m_threadHandle == 0) {
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

}  // namespace KorvexEngine
