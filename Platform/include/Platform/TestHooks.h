// Hooks through which tests replace the clock, sleeping, local time and the message box, and
// provoke failures that a real machine seldom shows. Each setter affects the whole process.
#pragma once

#include "Platform/Win32Types.h"

#include <functional>
#include <string>
#include <vector>

struct SYSTEMTIME;

namespace Platform {
namespace Testing {

// timeGetTime answers this value until UseRealClock; AdvanceFakeClock moves it on (wrapping).
void SetFakeClock(DWORD milliseconds);
void AdvanceFakeClock(DWORD milliseconds);
void UseRealClock();

// Sleep calls the hook instead of sleeping; an empty hook restores real sleeping.
void SetSleepHook(std::function<void(DWORD)> hook);

// GetLocalTime answers this time until UseRealLocalTime.
void SetFakeLocalTime(const SYSTEMTIME& time);
void UseRealLocalTime();

struct MessageBoxRecord {
  std::string text;
  std::string caption;
  UINT type;
};
// While recording, MessageBoxA shows nothing, keeps what it was asked and answers IDOK.
void StartRecordingMessageBoxes();
std::vector<MessageBoxRecord> TakeRecordedMessageBoxes();
void StopRecordingMessageBoxes();

// The next _beginthreadex answers 0 as if the system had no room for another thread.
void FailNextThreadStart();

}  // namespace Testing
}  // namespace Platform
