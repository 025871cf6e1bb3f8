#include "PythonStartUp.h"

#include "KorvexCoreException.h"
#include "SLoger.h"

#include "Platform/Win32.h"

#include <Python.h>

#include <mutex>
#include <cstddef>

namespace Vellgrove {

namespace {

// The starting thread's state while it does not hold the interpreter lock; null while Python is off.
PyThreadState* g_mainThreadState = nullptr;

// Guards the counters below and the start itself against two starting threads. All of these are
// constant-initialised and need no destructor: the last script holder may go among the exit-time
// destructors, after every ordinary global is gone.
std::mutex g_lifeMutex;
int g_holders = 0;
bool g_finishRequested = false;
const size_t kMaxFinishHooks = 8;
void (*g_finishHooks[kMaxFinishHooks])() = {};
size_t g_finishHookCount = 0;

void PreInitialize() {
  PyPreConfig preconfig;
  PyPreConfig_InitPythonConfig(&preconfig);
  // The program's numbers and texts do not follow the user's locale; the interpreter leaves it.
  preconfig.configure_locale = 0;
  const PyStatus status = Py_PreInitialize(&preconfig);
  if (PyStatus_Exception(status)) {
    throw SCore::KorvexCoreException("the embedded Python interpreter could not be configured");
  }
}

// Called with g_lifeMutex held, on the thread that will finalise.
void Finalise() {
  PyEval_RestoreThread(g_mainThreadState);
  g_mainThreadState = nullptr;
  for (size_t i = 0; i < g_finishHookCount; ++i) g_finishHooks[i]();
  g_finishHookCount = 0;
  g_finishRequested = false;
  if (Py_FinalizeEx() != 0) SCore::g_Loger << SCore::GetTimeStamp() << " Python finished with an error\n";
}

}  // namespace

void PreparePythonPath(const std::wstring& workingDirectory) {
  char value[2] = "";
  // Unset or empty alike: GetEnvironmentVariableA answers 0 for both.
  if (GetEnvironmentVariableA("PYTHONPATH", value, sizeof value) != 0) return;
  // No list separator at the end: an empty entry would put the working directory itself on the
  // module path.
  SetEnvironmentVariableW(L"PYTHONPATH", (workingDirectory + L"\\scripts\\").c_str());
}

void StartPython() {
  std::lock_guard<std::mutex> hold(g_lifeMutex);
  if (g_mainThreadState != nullptr) return;
  PreInitialize();
  // Signals stay with the program: a close request travels as a window message, not as an
  // exception raised inside some script.
  Py_InitializeEx(0);
  if (!Py_IsInitialized()) throw SCore::KorvexCoreException("the embedded Python interpreter did not start");
  g_mainThreadState = PyEval_SaveThread();
}

bool IsPythonRunning() {
  std::lock_guard<std::mutex> hold(g_lifeMutex);
  return g_mainThreadState != nullptr;
}

void FinishPython() {
  std::lock_guard<std::mutex> hold(g_lifeMutex);
  if (g_mainThreadState == nullptr) return;
  g_finishRequested = true;
  if (g_holders == 0) Finalise();
}

void HoldPython() {
  std::lock_guard<std::mutex> hold(g_lifeMutex);
  ++g_holders;
}

void ReleasePythonHold() {
  std::lock_guard<std::mutex> hold(g_lifeMutex);
  if (g_holders > 0) --g_holders;
  if (g_holders == 0 && g_finishRequested && g_mainThreadState != nullptr) Finalise();
}

void BeforePythonFinishes(void (*releaseScriptValues)()) {
  std::lock_guard<std::mutex> hold(g_lifeMutex);
  if (g_finishHookCount == kMaxFinishHooks) throw SCore::KorvexCoreException("too many script value holders");
  g_finishHooks[g_finishHookCount++] = releaseScriptValues;
}

}  // namespace Vellgrove
