#pragma once

#include "Platform/Win32.h"

namespace KorvexEngine {

// A thread object: Run is the thread body. Destroying the object neither stops nor waits for the
// thread; a class whose thread must end carries its own stop and running flags.
class SThread {
 public:
  virtual ~SThread();
  virtual void Run() = 0;

  // Starts the thread at once; raises KorvexCoreException when no thread can be made.
  void Start();

  static unsigned ThreadProc(void* thread);

 protected:
  unsigned m_threadId = 0;
  UINT_PTR m_threadHandle = 0;
  int m_priority = THREAD_PRIORITY_NORMAL;
};

}  // namespace KorvexEngine
