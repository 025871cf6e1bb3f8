#pragma once

#include "Platform/D3D9.h"

#include <string>

namespace SCore {

// Everything that changes with wall-clock time: a millisecond clock and a state that the owner
// sets at any time. Owners restart an animation by writing StartTime and CurrentTime.
class SAnimator {
 public:
  SAnimator();
  explicit SAnimator(const std::string& name);
  virtual ~SAnimator() = default;

  // State 1 holds the animation at its start; any other state runs it.
  void Update();
  virtual void DoUpdate(DWORD elapsedMilliseconds) = 0;

  std::string Name;
  DWORD StartTime;
  DWORD PreviousTime;
  DWORD CurrentTime;
  int State = 0;  // 0 repeats, 1 held at its start, 2 plays once
};

}  // namespace SCore
