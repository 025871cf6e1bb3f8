#pragma once

#include "VGPythonLock.h"

#include <Python.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace TestSupport {

inline Py_ssize_t RefCount(PyObject* value) {
  Vellgrove::VGPythonLock lock;
  return Py_REFCNT(value);
}

// A script text made for a test, released with it (as a user of the bridge keeps its names).
class ScriptName {
 public:
  explicit ScriptName(const char* text) {
    Vellgrove::VGPythonLock lock;
    m_name = PyUnicode_FromString(text);
  }
  ~ScriptName() {
    Vellgrove::VGPythonLock lock;
    Py_XDECREF(m_name);
  }
  ScriptName(const ScriptName&) = delete;
  ScriptName& operator=(const ScriptName&) = delete;
  operator PyObject*() const { return m_name; }

 private:
  PyObject* m_name;
};

// The message of what the action raised ("" when it raised nothing); bridge messages come first,
// followed by the operations they crossed.
inline std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& failure) {
    return failure.what();
  }
  return std::string();
}

inline bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

inline bool ErrorPending() {
  Vellgrove::VGPythonLock lock;
  return PyErr_Occurred() != nullptr;
}

}  // namespace TestSupport
