#pragma once

#include "Platform/Win32.h"

namespace KorvexEngine {

// A re-entrant lock. Guard a section with TScopedLock so that it is left on every way out.
class SLockGuard {
 public:
  SLockGuard();
  virtual ~SLockGuard();
  SLockGuard(const SLockGuard&) = delete;
  SLockGuard& operator=(const SLockGuard&) = delete;

  void Lock();
  void Unlock();

 private:
  CRITICAL_SECTION m_section;
};

}  // namespace KorvexEngine
