#include "VGPythonLock.h"

namespace Vellgrove {

VGPythonLock::VGPythonLock() : m_state(PyGILState_Ensure()) {}

VGPythonLock::~VGPythonLock() { PyGILState_Release(m_state); }

}  // namespace Vellgrove
