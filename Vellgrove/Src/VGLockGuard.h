#pragma once

#include "Platform/Win32.h"

namespace Vellgrove {

// The game's re-entrant lock object; guard sections with KorvexEngine::TScopedLock.
class VGLockGuard {
 public:
  VGLockGuard();
  virtual ~VGLockGuard();
  VGLockGuard(const VGLockGuard&) = delete;
  VGLockGuard& operator=(const VGLockGuard&) = delete;

  void Lock();
  void Unlock();

 private:
  CRITICAL_SECTION m_section;
};

}  // namespace Vellgrove
