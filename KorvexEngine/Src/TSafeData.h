#pragma once

#include "SLockGuard.h"
#include "TScopedLock.h"

namespace KorvexEngine {

// A value read and written only under its own lock; each single read or write is atomic.
template <typename T>
class TSafeData {
 public:
  TSafeData() : m_value() {}
  virtual ~TSafeData() = default;

  T Get() {
    TScopedLock<SLockGuard> hold(m_lock);
    return m_value;
  }

  void Set(const T& value) {
    TScopedLock<SLockGuard> hold(m_lock);
    m_value = value;
  }

 private:
  SLockGuard m_lock;
  T m_value;
};

}  // namespace KorvexEngine
