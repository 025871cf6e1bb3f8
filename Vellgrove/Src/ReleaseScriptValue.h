#pragma once

#include <Python.h>

namespace Vellgrove {

// Releases a wrapper's own reference and forgets it, taking the interpreter lock for it. Does
// nothing for an empty value or once the interpreter is gone. The bridge counts references with
// the interpreter's inline macros rather than its functions: the count is then touched in our own
// code, where AddressSanitizer sees a value released once too often (with PYTHONMALLOC=malloc).
void ReleaseScriptValue(PyObject*& value);

}  // namespace Vellgrove
