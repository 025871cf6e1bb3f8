#include "PythonStartUp.h"

#include "KorvexCoreException.h"
#include "SLoger.h"

#include "Platform/Win32.h"

#include <Python.h>

namespace Vellgrove {

namespace {

// The main thread's state while it does not hold the interpreter lock; null while Python is off.
PyThreadState* g_mainThreadState = nullptr;

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
  if (g_mainThreadState != nullptr) return;
  // Signals stay with the program: a close request travels as a window message, not as an
  // exception raised inside some script.
  Py_InitializeEx(0);
  if (!Py_IsInitialized()) throw SCore::KorvexCoreException("the embedded Python interpreter did not start");
  g_mainThreadState = PyEval_SaveThread();
}

void FinishPython() {
  if (g_mainThreadState == nullptr) return;
  PyEval_RestoreThread(g_mainThreadState);
  g_mainThreadState = nullptr;
  if (Py_FinalizeEx() != 0) SCore::g_Loger << SCore::GetTimeStamp() << " Python finished with an error\n";
}

}  // namespace Vellgrove
