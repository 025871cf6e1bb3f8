#pragma once

#include "Platform/Win32.h"

namespace SCore {

// The render device's lock: re-entrant, and left by the thread that entered it, possibly in another
// call (a locked buffer or texture holds it until it is unlocked).
class SRenderLockGuard {
 public:
  SRenderLockGuard() { InitializeCriticalSection(&m_section); }
  virtual ~SRenderLockGuard() { DeleteCriticalSection(&m_section); }
  SRenderLockGuard(const SRenderLockGuard&) = delete;
  SRenderLockGuard& operator=(const SRenderLockGuard&) = delete;

  void Lock() { EnterCriticalSection(&m_section); }
  void Unlock() { LeaveCriticalSection(&m_section); }

 private:
  CRITICAL_SECTION m_section;
};

}  // namespace SCore
