#pragma once

#include "Platform/Win32Types.h"

#include <atomic>

namespace SCore {

// The mouse as the engine sees it: the cursor position in pixels after the last update, the
// wheel, bounds for the accumulated axes and the states of eight buttons (0 is the left one).
class SMouse {
 public:
  virtual ~SMouse() = default;
  virtual void DoUpdate() = 0;
  virtual void DoKill() = 0;

  // Indexed by axis: 0 is X, 1 is Y, 2 is Z (the wheel). The input thread writes the position on
  // each update while the main thread reads it to scroll and to hit-test, hence atomic. X and Y are
  // read one at a time, so a reader may pair X of one update with Y of the next: a moving pointer
  // one tick apart.
  std::atomic<LONG> m_position[3] = {0, 0, 0};
  LONG m_previous[3] = {0, 0, 0};
  LONG m_minimum[3] = {0, 0, 0};
  LONG m_maximum[3] = {0, 0, 0};
  LONG m_axisScale = 1;
  // 1 while the button is down.
  LONG m_buttonStates[8] = {};
  // Set to the state by each buffered event of the button.
  LONG m_buttonEvents[8] = {};
};

}  // namespace SCore
