#pragma once

#include <Python.h>

namespace Vellgrove {

// Holds the interpreter lock for its scope. After start-up the main thread gives the lock away, and
// every call into Python, on whichever thread (loader, main, input), is made under one of these.
// Guards nest on one thread.
class VGPythonLock {
 public:
  VGPythonLock();
  ~VGPythonLock();
  VGPythonLock(const VGPythonLock&) = delete;
  VGPythonLock& operator=(const VGPythonLock&) = delete;

  // How many guards have been taken in the process, nested ones included: what benchmarks count
  // as calls into the interpreter.
  static unsigned long Taken();

 private:
  PyGILState_STATE m_state;
};

}  // namespace Vellgrove
