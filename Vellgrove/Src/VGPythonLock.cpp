#include "VGPythonLock.h"

namespace Vellgrove {

namespace {

// Counted while the guard holds the interpreter lock, which keeps the count from racing.
unsigned long g_taken = 0;

}  // namespace

VGPythonLock::VGPythonLock() : m_state(PyGILState_Ensure()) { ++g_taken; }

unsigned long VGPythonLock::Taken() {
  VGPythonLock lock;
  return g_taken - 1;
}

VGPythonLock::~VGPythonLock() { PyGILState_Release(m_state); }

}  // namespace Vellgrove
