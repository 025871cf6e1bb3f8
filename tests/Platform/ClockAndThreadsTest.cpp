#include "Platform/MMSystem.h"
#include "Platform/TestHooks.h"
#include "Platform/Win32.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <set>
#include <thread>
#include <vector>

namespace Testing = Platform::Testing;

TEST(Clock, FakeClockIsSetAdvancedAndWrapsAsUnsigned32Bits) {
  Testing::SetFakeClock(0xFFFFFFF0u);
  const DWORD before = timeGetTime();
  Testing::AdvanceFakeClock(0x20);
  EXPECT_EQ(timeGetTime(), 0x10u);
  EXPECT_EQ(timeGetTime() - before, 0x20u);
  Testing::UseRealClock();
}

TEST(Clock, RealClockCountsMillisecondsSteadily) {
  Testing::UseRealClock();
  const DWORD start = timeGetTime();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const DWORD elapsed = timeGetTime() - start;
  EXPECT_GE(elapsed, 19u);
  EXPECT_LT(elapsed, 5000u);
}

TEST(LocalTime, FakeTimeIsAnsweredUntilRealTimeIsRestored) {
  SYSTEMTIME fake{2011, 3, 6, 5, 9, 5, 3, 0};
  Testing::SetFakeLocalTime(fake);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  EXPECT_EQ(now.wYear, 2011);
  EXPECT_EQ(now.wSecond, 3);
  Testing::UseRealLocalTime();
  GetLocalTime(&now);
  EXPECT_GE(now.wYear, 2025);
  EXPECT_GE(now.wMonth, 1);
  EXPECT_LE(now.wMonth, 12);
}

namespace {

struct ThreadProbe {
  std::atomic<int> runs{0};
  std::atomic<DWORD> seenId{0};
};

unsigned ProbeThread(void* argument) {
  auto* probe = static_cast<ThreadProbe*>(argument);
  probe->seenId = GetCurrentThreadId();
  ++probe->runs;
  return 0;
}

void WaitFor(const std::atomic<int>& counter, int value) {
  for (int i = 0; i < 5000 && counter < value; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

}  // namespace

TEST(Threads, BeginThreadExRunsADetachedThreadWithAUniqueId) {
  ThreadProbe first, second;
  unsigned firstId = 0, secondId = 0;
  const UINT_PTR firstHandle = _beginthreadex(nullptr, 0, &ProbeThread, &first, 0, &firstId);
  const UINT_PTR secondHandle = _beginthreadex(nullptr, 0, &ProbeThread, &second, 0, &secondId);
  ASSERT_NE(firstHandle, 0u);
  ASSERT_NE(secondHandle, 0u);
  EXPECT_NE(firstHandle, secondHandle);
  WaitFor(first.runs, 1);
  WaitFor(second.runs, 1);
  EXPECT_EQ(first.runs, 1);
  EXPECT_EQ(first.seenId, firstId);
  EXPECT_NE(firstId, secondId);
  EXPECT_EQ(GetThreadPriority(reinterpret_cast<HANDLE>(firstHandle)), THREAD_PRIORITY_NORMAL);
  EXPECT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL));
}

TEST(Threads, AFailedStartAnswersZeroAndRunsNothing) {
  ThreadProbe probe;
  unsigned id = 0;
  Testing::FailNextThreadStart();
  EXPECT_EQ(_beginthreadex(nullptr, 0, &ProbeThread, &probe, 0, &id), 0u);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(probe.runs, 0);
}

TEST(Threads, CriticalSectionIsReentrantAndExcludesOtherThreads) {
  CRITICAL_SECTION section;
  InitializeCriticalSection(&section);
  EnterCriticalSection(&section);
  EnterCriticalSection(&section);
  std::atomic<bool> otherEntered{false};
  std::thread other([&] {
    EnterCriticalSection(&section);
    otherEntered = true;
    LeaveCriticalSection(&section);
  });
  LeaveCriticalSection(&section);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_FALSE(otherEntered) << "one Leave must not release a section entered twice";
  LeaveCriticalSection(&section);
  other.join();
  EXPECT_TRUE(otherEntered);
  DeleteCriticalSection(&section);
}

TEST(Threads, SleepHookReplacesSleeping) {
  std::vector<DWORD> slept;
  Testing::SetSleepHook([&](DWORD milliseconds) { slept.push_back(milliseconds); });
  const auto start = std::chrono::steady_clock::now();
  Sleep(1000);
  Sleep(50);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  EXPECT_EQ(slept, (std::vector<DWORD>{1000, 50}));
  Testing::SetSleepHook(nullptr);
}

TEST(MessageBox, RecordedWhileTestsAskAndWrittenToStandardErrorWithoutADisplay) {
  Testing::StartRecordingMessageBoxes();
  EXPECT_EQ(MessageBoxA(nullptr, "abc", nullptr, MB_OK), IDOK);
  const auto records = Testing::TakeRecordedMessageBoxes();
  Testing::StopRecordingMessageBoxes();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].text, "abc");
  EXPECT_EQ(records[0].caption, "");
  EXPECT_EQ(records[0].type, static_cast<UINT>(MB_OK));

  TestSupport::ScopedEnvironment headless("SDL_VIDEODRIVER", "offscreen");
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "no display here", nullptr, MB_OK), IDOK);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: no display here\n");
}
