#pragma once

#include <Python.h>

namespace Vellgrove {

// Releases a wrapper's own reference and forgets it, taking the interpreter lock for it. Does
// nothing for an empty value or once the interpreter is gone.
void ReleaseScriptValue(PyObject*& value);

}  // namespace Vellgrove
