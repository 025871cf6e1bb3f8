#pragma once

#include <cassert>

namespace KorvexEngine {

// Keeps a vertex or index buffer locked, and with it the render device, for the life of a scope, so
// that a failure while filling it never leaves the device lock held. Unlock on the normal path
// reports its own failure; when the scope is left by an exception, that exception is the one that
// travels and the unlock is only a release.
template <typename Buffer>
class SBufferLockGuard {
 public:
  explicit SBufferLockGuard(Buffer& buffer) : m_buffer(buffer) {
    m_buffer.DoLock(0, 0, &m_data, 0);
    m_locked = true;
  }
  ~SBufferLockGuard() {
    if (!m_locked) return;
    try {
      m_buffer.DoUnlock();
    } catch (...) {
    }
  }
  SBufferLockGuard(const SBufferLockGuard&) = delete;
  SBufferLockGuard& operator=(const SBufferLockGuard&) = delete;

  void Unlock() {
    m_locked = false;
    m_buffer.DoUnlock();
  }

  void* Data() const { return m_data; }

 private:
  Buffer& m_buffer;
  void* m_data = nullptr;
  bool m_locked = false;
};

}  // namespace KorvexEngine
