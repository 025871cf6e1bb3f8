#pragma once

#include <Python.h>

#include <cstddef>
#include <string>

namespace Vellgrove {

// One script value that a call, an attribute read or a container read produced, with exactly one
// reference of its own, and its conversions to plain values. A conversion of a value of the wrong
// script type raises, naming that type.
class VGPythonResult {
 public:
  // Takes over a new reference (none is added).
  explicit VGPythonResult(PyObject* value);
  VGPythonResult(const VGPythonResult& other);
  VGPythonResult(VGPythonResult&& other) noexcept;
  VGPythonResult& operator=(VGPythonResult other) noexcept;
  virtual ~VGPythonResult();

  // Borrowed: a holder that keeps the value beyond this result takes its own reference.
  PyObject* GetResult() const { return m_value; }

  // A non-negative integer.
  size_t GetResultAsSizeT() const;
  // An integer or a float.
  double GetResultAsDouble() const;
  // A bool, an integer (not 0) or a float truncated towards zero (0.5 is false).
  bool GetResultAsBool() const;
  // A text of ASCII characters, up to its first zero character.
  std::string GetResultAsString() const;

 private:
  PyObject* m_value;
};

}  // namespace Vellgrove
