#include "D3D9Failures.h"

#include <map>
#include <mutex>
#include <string>

#include "Platform/D3D9TestHooks.h"

namespace Platform {
namespace {

std::mutex g_failuresMutex;
std::map<std::string, HRESULT> g_failures;

}  // namespace

namespace D3D9 {

bool TakeScriptedFailure(const char* operation, HRESULT* result) {
  std::lock_guard<std::mutex> lock(g_failuresMutex);
  if (g_failures.empty()) return false;
  auto found = g_failures.find(operation);
  if (found == g_failures.end()) return false;
  *result = found->second;
  g_failures.erase(found);
  return true;
}

}  // namespace D3D9

namespace Testing {

void FailNextCall(const char* operation, HRESULT result) {
  std::lock_guard<std::mutex> lock(g_failuresMutex);
  g_failures[operation] = result;
}

void ClearFailures() {
  std::lock_guard<std::mutex> lock(g_failuresMutex);
  g_failures.clear();
}

}  // namespace Testing
}  // namespace Platform
