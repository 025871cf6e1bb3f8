#include "Platform/MMSystem.h"
#include "Platform/TestHooks.h"
#include "Platform/Win32.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <mutex>
#include <optional>

namespace {

std::atomic<bool> g_fakeClockOn{false};
std::atomic<DWORD> g_fakeClock{0};

std::mutex g_localTimeMutex;
std::optional<SYSTEMTIME> g_fakeLocalTime;

}  // namespace

DWORD timeGetTime() {
  if (g_fakeClockOn) return g_fakeClock;
  const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
  const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count();
  return static_cast<DWORD>(static_cast<std::uint64_t>(milliseconds));
}

void GetLocalTime(LPSYSTEMTIME time) {
  {
    std::lock_guard<std::mutex> lock(g_localTimeMutex);
    if (g_fakeLocalTime) {
      *time = *g_fakeLocalTime;
      return;
    }
  }
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const auto milliseconds =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  time->wYear = static_cast<WORD>(local.tm_year + 1900);
  time->wMonth = static_cast<WORD>(local.tm_mon + 1);
  time->wDayOfWeek = static_cast<WORD>(local.tm_wday);
  time->wDay = static_cast<WORD>(local.tm_mday);
  time->wHour = static_cast<WORD>(local.tm_hour);
  time->wMinute = static_cast<WORD>(local.tm_min);
  time->wSecond = static_cast<WORD>(local.tm_sec);
  time->wMilliseconds = static_cast<WORD>(milliseconds);
}

namespace Platform {
namespace Testing {

void SetFakeClock(DWORD milliseconds) {
  g_fakeClock = milliseconds;
  g_fakeClockOn = true;
}

void AdvanceFakeClock(DWORD milliseconds) { g_fakeClock += milliseconds; }

void UseRealClock() { g_fakeClockOn = false; }

void SetFakeLocalTime(const SYSTEMTIME& time) {
  std::lock_guard<std::mutex> lock(g_localTimeMutex);
  g_fakeLocalTime = time;
}

void UseRealLocalTime() {
  std::lock_guard<std::mutex> lock(g_localTimeMutex);
  g_fakeLocalTime.reset();
}

}  // namespace Testing
}  // namespace Platform
