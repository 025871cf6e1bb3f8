#pragma once

namespace KorvexEngine {

// Holds any lock object with Lock and Unlock for the life of a scope, so that an exception
// never leaves the lock held.
template <typename LockObject>
class TScopedLock {
 public:
  explicit TScopedLock(LockObject& lock) : m_lock(lock) { m_lock.Lock(); }
  ~TScopedLock() { m_lock.Unlock(); }
  TScopedLock(const TScopedLock&) = delete;
  TScopedLock& operator=(const TScopedLock&) = delete;

 private:
  LockObject& m_lock;
};

}  // namespace KorvexEngine
