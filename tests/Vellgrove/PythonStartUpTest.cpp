#include "PythonStartUp.h"
#include "VGPythonLock.h"

#include "TempFolder.h"

#include <Python.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

using TestSupport::ScopedEnvironment;

TEST(PythonPath, PointsAtTheScriptsFolderOnlyWhenUnsetOrEmpty) {
  struct Case {
    const char* before;
    const char* after;
  };
  const Case cases[] = {{nullptr, "/game/data/scripts/"}, {"", "/game/data/scripts/"}, {"/mine", "/mine"}};
  for (const Case& c : cases) {
    ScopedEnvironment path("PYTHONPATH", c.before);
    Vellgrove::PreparePythonPath(L"/game/data");
    ASSERT_NE(std::getenv("PYTHONPATH"), nullptr);
    EXPECT_STREQ(std::getenv("PYTHONPATH"), c.after) << (c.before == nullptr ? "unset" : c.before);
  }
}

namespace {

PyObject* Globals() { return PyModule_GetDict(PyImport_AddModule("__main__")); }

long ReadCounter() {
  Vellgrove::VGPythonLock lock;
  PyObject* counter = PyDict_GetItemString(Globals(), "counter");
  return counter == nullptr ? -1 : PyLong_AsLong(counter);
}

// Read and write in calls that keep the lock throughout (the interpreter may hand the lock to
// another thread between two statements of a script, but never inside one of these calls).
void IncrementCounter() {
  Vellgrove::VGPythonLock lock;
  PyObject* next = PyLong_FromLong(PyLong_AsLong(PyDict_GetItemString(Globals(), "counter")) + 1);
  PyDict_SetItemString(Globals(), "counter", next);
  Py_DecRef(next);
}

}  // namespace

// The interpreter is started once, its lock given away, and then used by two threads at once, each
// call under the guard; guards nest on one thread. Finishing takes the lock back and finalises once.
TEST(PythonLock, LetsTwoThreadsRunScriptsInTurnAndFinishesOnce) {
  Vellgrove::StartPython();
  Vellgrove::StartPython();
  ASSERT_TRUE(Py_IsInitialized());
  EXPECT_EQ(PyGILState_Check(), 0) << "the main thread has given the lock away";
  {
    Vellgrove::VGPythonLock outer;
    Vellgrove::VGPythonLock inner;
    ASSERT_EQ(PyRun_SimpleString("counter = 0"), 0);
  }
  const int kCalls = 500;
  std::vector<std::thread> threads;
  for (int t = 0; t < 2; ++t) {
    threads.emplace_back([] {
      for (int i = 0; i < kCalls; ++i) {
        IncrementCounter();
        Vellgrove::VGPythonLock lock;
        PyRun_SimpleString("import math\nroot = math.sqrt(counter)");
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(ReadCounter(), 2 * kCalls) << "no call was lost";
  EXPECT_EQ(PyGILState_Check(), 0);
  Vellgrove::FinishPython();
  EXPECT_FALSE(Py_IsInitialized());
  Vellgrove::FinishPython();
}
