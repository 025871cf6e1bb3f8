#include "ReleaseScriptValue.h"

#include "VGPythonLock.h"

namespace Vellgrove {

void ReleaseScriptValue(PyObject*& value) {
  if (value == nullptr || !Py_IsInitialized()) return;
  VGPythonLock lock;
  Py_DECREF(value);
  value = nullptr;
}

}  // namespace Vellgrove
