#pragma once

#include <atomic>
#include <cstdint>

namespace Vellgrove {

// The process's source of game-object IDs: 0 for the first object, never reused or reset.
class VGAutoID {
 public:
  virtual ~VGAutoID() = default;
  uint32_t Next() { return m_next++; }

 private:
  std::atomic<uint32_t> m_next{0};
};

extern VGAutoID g_autoID;

}  // namespace Vellgrove
