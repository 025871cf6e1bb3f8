#include "SAnimator.h"

#include "srethrow.h"

#include "Platform/MMSystem.h"

namespace SCore {

SAnimator::SAnimator() : SAnimator("NonameAnimator") {}

SAnimator::SAnimator(const std::string& name)
    : Name(name), StartTime(timeGetTime()), PreviousTime(StartTime), CurrentTime(StartTime) {}

void SAnimator::Update() {
  KORVEX_TRY
    if (State == 1) {
      StartTime = CurrentTime = timeGetTime();
      DoUpdate(0);
      return;
    }
    PreviousTime = CurrentTime;
    CurrentTime = timeGetTime();
    // Unsigned differences stay right across the wrap of the millisecond counter.
    DoUpdate(CurrentTime - StartTime);
  KORVEX_RETHROW("SAnimator::Update()", ".\\Src\\SAnimator")
}

}  // namespace SCore
