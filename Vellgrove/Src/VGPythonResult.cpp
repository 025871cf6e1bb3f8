#include "VGPythonResult.h"

#include "ReleaseScriptValue.h"
#include "SEngineException.h"
#include "VGPythonLock.h"
#include "srethrow.h"

#include <cmath>
#include <utility>

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGPythonResult";

[[noreturn]] void RaiseWrongType(PyObject* value, const char* wanted) {
  // A failed conversion leaves its own error behind; this message replaces it.
  PyErr_Clear();
  const std::string type = value == nullptr ? "no value" : Py_TYPE(value)->tp_name;
  throw KorvexEngine::SEngineException(
      ("can't convert the script value of type [" + type + "] to " + wanted).c_str());
}

}  // namespace

VGPythonResult::VGPythonResult(PyObject* value) : m_value(value) {}

VGPythonResult::VGPythonResult(const VGPythonResult& other) : m_value(other.m_value) {
  if (m_value == nullptr) return;
  VGPythonLock lock;
  Py_INCREF(m_value);
}

VGPythonResult::VGPythonResult(VGPythonResult&& other) noexcept : m_value(other.m_value) { other.m_value = nullptr; }

VGPythonResult& VGPythonResult::operator=(VGPythonResult other) noexcept {
  std::swap(m_value, other.m_value);
  return *this;
}

VGPythonResult::~VGPythonResult() { ReleaseScriptValue(m_value); }

size_t VGPythonResult::GetResultAsSizeT() const {
  KORVEX_TRY
    VGPythonLock lock;
    if (m_value == nullptr || !PyLong_Check(m_value)) RaiseWrongType(m_value, "size");
    const size_t value = PyLong_AsSize_t(m_value);
    if (PyErr_Occurred() != nullptr) RaiseWrongType(m_value, "size (negative or too large)");
    return value;
  KORVEX_RETHROW("VGPythonResult::GetResultAsSizeT()", kSource)
}

double VGPythonResult::GetResultAsDouble() const {
  KORVEX_TRY
    VGPythonLock lock;
    if (m_value == nullptr || !(PyFloat_Check(m_value) || PyLong_Check(m_value))) RaiseWrongType(m_value, "double");
    const double value = PyFloat_AsDouble(m_value);
    if (PyErr_Occurred() != nullptr) RaiseWrongType(m_value, "double (too large)");
    return value;
  KORVEX_RETHROW("VGPythonResult::GetResultAsDouble()", kSource)
}

bool VGPythonResult::GetResultAsBool() const {
  KORVEX_TRY
    VGPythonLock lock;
    if (m_value != nullptr && PyFloat_Check(m_value)) return std::trunc(PyFloat_AsDouble(m_value)) != 0.0;
    // bool is a kind of integer; any integer but 0 is true, however large.
    if (m_value == nullptr || !PyLong_Check(m_value)) RaiseWrongType(m_value, "bool");
    return PyObject_IsTrue(m_value) == 1;
  KORVEX_RETHROW("VGPythonResult::GetResultAsBool()", kSource)
}

std::string VGPythonResult::GetResultAsString() const {
  KORVEX_TRY
    VGPythonLock lock;
    if (m_value == nullptr || !PyUnicode_Check(m_value)) RaiseWrongType(m_value, "string");
    PyObject* bytes = PyUnicode_AsASCIIString(m_value);
    if (bytes == nullptr) RaiseWrongType(m_value, "string (not ASCII)");
    const std::string text(PyBytes_AsString(bytes));
    Py_DECREF(bytes);
    return text;
  KORVEX_RETHROW("VGPythonResult::GetResultAsString()", kSource)
}

}  // namespace Vellgrove
