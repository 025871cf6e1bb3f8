#include "VGLockGuard.h"

#include "TScopedLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

using Vellgrove::VGLockGuard;
using KorvexEngine::TScopedLock;

TEST(VGLockGuard, IsReentrantAndReleasedWhenTheGuardedCodeThrows) {
  VGLockGuard lock;
  try {
    TScopedLock<VGLockGuard> outer(lock);
    TScopedLock<VGLockGuard> inner(lock);
    throw std::runtime_error("guarded code failed");
  } catch (const std::runtime_error&) {
  }
  std::atomic<bool> taken{false};
  std::thread other([&] {
    TScopedLock<VGLockGuard> hold(lock);
    taken = true;
  });
  other.join();
  EXPECT_TRUE(taken);
}
