#include "Platform/TestHooks.h"
#include "Platform/Win32.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

// The pseudo-handle of the calling thread; real handles are counters starting above it.
HANDLE const kCurrentThreadPseudoHandle = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-2));

std::atomic<unsigned> g_nextThreadNumber{1};
std::atomic<bool> g_failNextThreadStart{false};

thread_local DWORD t_threadId = 0;

std::mutex g_sleepHookMutex;
std::function<void(DWORD)> g_sleepHook;

}  // namespace

UINT_PTR _beginthreadex(void* /*security*/, unsigned /*stack_size*/, _beginthreadex_proc_type start_address,
                        void* arglist, unsigned initflag, unsigned* thrdaddr) {
  if (start_address == nullptr || initflag != 0) {
    errno = EINVAL;
    return 0;
  }
  if (g_failNextThreadStart.exchange(false)) {
    errno = EAGAIN;
    return 0;
  }
  const unsigned number = g_nextThreadNumber.fetch_add(1);
  try {
    std::thread thread([start_address, arglist, number] {
      t_threadId = number;
      start_address(arglist);
    });
    thread.detach();
  } catch (const std::system_error& error) {
    errno = error.code().value();
    return 0;
  }
  if (thrdaddr != nullptr) *thrdaddr = number;
  return static_cast<UINT_PTR>(number) + 0x1000;
}

HANDLE GetCurrentThread() { return kCurrentThreadPseudoHandle; }

DWORD GetCurrentThreadId() {
  if (t_threadId == 0) t_threadId = g_nextThreadNumber.fetch_add(1);
  return t_threadId;
}

// Every thread runs at the normal priority here: the engine only reads the priority back and
// asks for "normal" on the loader thread.
int GetThreadPriority(HANDLE thread) { return thread == nullptr ? THREAD_PRIORITY_ERROR_RETURN : THREAD_PRIORITY_NORMAL; }

BOOL SetThreadPriority(HANDLE thread, int priority) {
  const bool known = (priority >= THREAD_PRIORITY_LOWEST && priority <= THREAD_PRIORITY_HIGHEST) ||
                     priority == THREAD_PRIORITY_IDLE || priority == THREAD_PRIORITY_TIME_CRITICAL;
  return thread != nullptr && known;
}

void Sleep(DWORD milliseconds) {
  std::function<void(DWORD)> hook;
  {
    std::lock_guard<std::mutex> lock(g_sleepHookMutex);
    hook = g_sleepHook;
  }
  if (hook) {
    hook(milliseconds);
  } else if (milliseconds == 0) {
    std::this_thread::yield();
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
}

void InitializeCriticalSection(LPCRITICAL_SECTION section) { section->mutex = std::make_unique<std::recursive_mutex>(); }

void EnterCriticalSection(LPCRITICAL_SECTION section) { section->mutex->lock(); }

void LeaveCriticalSection(LPCRITICAL_SECTION section) { section->mutex->unlock(); }

void DeleteCriticalSection(LPCRITICAL_SECTION section) { section->mutex.reset(); }

namespace Platform {
namespace Testing {

void SetSleepHook(std::function<void(DWORD)> hook) {
  std::lock_guard<std::mutex> lock(g_sleepHookMutex);
  g_sleepHook = std::move(hook);
}

void FailNextThreadStart() { g_failNextThreadStart = true; }

}  // namespace Testing
}  // namespace Platform
