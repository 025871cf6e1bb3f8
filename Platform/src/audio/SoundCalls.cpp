#include "SoundCalls.h"

#include "Platform/MMSystem.h"
#include "Platform/SoundTestHooks.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <vector>

namespace {

// Never destroyed, since sound objects may be released by exit-time destructors.
struct CallState {
  std::mutex mutex;
  bool recording = false;
  std::vector<Platform::Testing::SoundCall> calls;
  std::map<std::string, HRESULT> failures;
  std::mutex holdMutex;
  std::condition_variable holdReleased;
  bool renderFileHeld = false;
};
CallState& State() {
  static CallState* const state = new CallState;
  return *state;
}

}  // namespace

namespace Platform {
namespace Audio {

HRESULT RecordCall(const char* call, HRESULT result, long long value, const std::string& text) {
  std::lock_guard<std::mutex> lock(State().mutex);
  if (State().recording) State().calls.push_back(Testing::SoundCall{call, value, text, result, timeGetTime()});
  return result;
}

bool TakeFailure(const char* call, HRESULT& result) {
  std::lock_guard<std::mutex> lock(State().mutex);
  const auto found = State().failures.find(call);
  if (found == State().failures.end()) return false;
  result = found->second;
  State().failures.erase(found);
  return true;
}

void WaitWhileRenderFileHeld() {
  std::unique_lock<std::mutex> lock(State().holdMutex);
  State().holdReleased.wait(lock, [] { return !State().renderFileHeld; });
}

}  // namespace Audio

namespace Testing {

void StartRecordingSoundCalls() {
  std::lock_guard<std::mutex> lock(State().mutex);
  State().calls.clear();
  State().recording = true;
}

std::vector<SoundCall> RecordedSoundCalls() {
  std::lock_guard<std::mutex> lock(State().mutex);
  return State().calls;
}

void StopRecordingSoundCalls() {
  std::lock_guard<std::mutex> lock(State().mutex);
  State().recording = false;
  State().calls.clear();
}

void FailNextSoundCall(const char* operation, HRESULT result) {
  std::lock_guard<std::mutex> lock(State().mutex);
  State().failures[operation] = result;
}

void ClearSoundFailures() {
  std::lock_guard<std::mutex> lock(State().mutex);
  State().failures.clear();
}

void HoldRenderFile() {
  std::lock_guard<std::mutex> lock(State().holdMutex);
  State().renderFileHeld = true;
}

void ReleaseRenderFile() {
  {
    std::lock_guard<std::mutex> lock(State().holdMutex);
    State().renderFileHeld = false;
  }
  State().holdReleased.notify_all();
}

}  // namespace Testing
}  // namespace Platform
