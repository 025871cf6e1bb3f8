#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace TestSupport {

// Polls a condition the way the engine's threads signal each other; false after five seconds.
inline bool WaitUntil(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace TestSupport
