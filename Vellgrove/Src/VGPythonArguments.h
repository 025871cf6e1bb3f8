#pragma once

#include <Python.h>

#include <cstddef>
#include <string>

namespace Vellgrove {

// The argument tuple of a script function or a prepared method, with one reference of its own,
// refilled position by position from call to call, and the call itself. Every operation expects
// the interpreter lock held by the caller.
class VGPythonArguments {
 public:
  VGPythonArguments() : m_tuple(nullptr) {}
  ~VGPythonArguments();
  VGPythonArguments(const VGPythonArguments&) = delete;
  VGPythonArguments& operator=(const VGPythonArguments&) = delete;

  // A tuple of `count` positions, none set yet.
  void Make(size_t count, const std::string& moduleName);
  void Release();
  bool IsMade() const { return m_tuple != nullptr; }

  // Hands the value over to the position, releasing what stood there. An empty value raises
  // "can't cast to PyXXX value:", a position outside the tuple `failureText`, each followed by the
  // value's address; the value is released on failure.
  void Set(int position, PyObject* value, const char* failureText);

  // Calls with the tuple and answers the new result, or null with the script's error pending (also
  // when there is nothing to call). Every position must be set, else "argument [i] not set" raises.
  PyObject* Call(PyObject* callable, const std::string& moduleName);

 private:
  void Unshare();

  PyObject* m_tuple;
};

}  // namespace Vellgrove
