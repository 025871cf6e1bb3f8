#include "VGPythonArguments.h"

#include "ReleaseScriptValue.h"
#include "SEngineException.h"

#include <boost/lexical_cast.hpp>

namespace Vellgrove {

namespace {

[[noreturn]] void Raise(const std::string& message) { throw KorvexEngine::SEngineException(message.c_str()); }

std::string AddressText(PyObject* value) { return boost::lexical_cast<std::string>(static_cast<const void*>(value)); }

}  // namespace

VGPythonArguments::~VGPythonArguments() { ReleaseScriptValue(m_tuple); }

void VGPythonArguments::Make(size_t count, const std::string& moduleName) {
  Release();
  m_tuple = PyTuple_New(static_cast<Py_ssize_t>(count));
  if (m_tuple == nullptr) {
    PyErr_Clear();
    Raise("can't make the argument tuple. module [" + moduleName + "]");
  }
}

void VGPythonArguments::Release() {
  Py_XDECREF(m_tuple);
  m_tuple = nullptr;
}

// A tuple is only filled while nothing else holds it; a script that kept the arguments of an
// earlier call keeps them as they were.
void VGPythonArguments::Unshare() {
  if (Py_REFCNT(m_tuple) == 1) return;
  const Py_ssize_t size = PyTuple_GET_SIZE(m_tuple);
  PyObject* copy = PyTuple_New(size);
  if (copy == nullptr) {
    PyErr_Clear();
    Raise("can't copy the argument tuple");
  }
  for (Py_ssize_t i = 0; i < size; ++i) {
    PyObject* item = PyTuple_GET_ITEM(m_tuple, i);
    Py_XINCREF(item);
    PyTuple_SET_ITEM(copy, i, item);
  }
  Py_DECREF(m_tuple);
  m_tuple = copy;
}

void VGPythonArguments::Set(int position, PyObject* value, const char* failureText) {
  if (value == nullptr) {
    // The value could not be made (a text that is not UTF-8, say); its error is ours to clear.
    PyErr_Clear();
    Raise("can't cast to PyXXX value:" + AddressText(value));
  }
  if (m_tuple == nullptr || position < 0 || position >= PyTuple_GET_SIZE(m_tuple)) {
    const std::string address = AddressText(value);
    Py_DECREF(value);
    Raise(failureText + address);
  }
  Unshare();
  PyTuple_SetItem(m_tuple, position, value);
}

PyObject* VGPythonArguments::Call(PyObject* callable, const std::string& moduleName) {
  if (callable == nullptr || m_tuple == nullptr) return nullptr;
  for (Py_ssize_t i = 0; i < PyTuple_GET_SIZE(m_tuple); ++i) {
    if (PyTuple_GET_ITEM(m_tuple, i) == nullptr) {
      Raise("argument [" + std::to_string(i) + "] not set. module [" + moduleName + "]");
    }
  }
  PyObject* result = PyObject_CallObject(callable, m_tuple);
  // A result that comes with an error set is no answer.
  if (result != nullptr && PyErr_Occurred() != nullptr) {
    Py_DECREF(result);
    return nullptr;
  }
  return result;
}

}  // namespace Vellgrove
