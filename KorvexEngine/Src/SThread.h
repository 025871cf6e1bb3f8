#pragma once

#include "Platform/Win32.h"

#include <atomic>

namespace KorvexEngine {

// A thread object: Run is the thread body. Destroying the object neither stops nor waits for the
// thread; a class whose thread must end carries its own stop and running flags.
class SThread {
 public:
  virtual ~SThread();
  virtual void Run() = 0;

  // Starts the thread at once; raises KorvexCoreException when no thread can be made. The one way
  // to start every thread object, so that however an owner reaches the object, its running flag
  // is set before the thread exists: an owner that waits for the flag then waits even for a
  // thread that has not begun yet. The flag is cleared again when no thread starts.
  void Start();

  static unsigned ThreadProc(void* thread);

 protected:
  // The flag that the class's thread clears as its last step, for a class whose destructor waits
  // for its thread; none by default.
  virtual std::atomic<int>* RunningFlag() { return nullptr; }
  // Waits until the running flag of a thread reads 0. The wait cannot be cut short (the thread
  // still uses what its owner is about to destroy), but one that passes two seconds writes one log
  // line naming what it waits for, so that a hang shows in the log.
  static void WaitUntilEnded(const std::atomic<int>& running, const char* what);

  unsigned m_threadId = 0;
  UINT_PTR m_threadHandle = 0;
  int m_priority = THREAD_PRIORITY_NORMAL;
};

}  // namespace KorvexEngine
