#include "VGPythonObject.h"

#include "ReleaseScriptValue.h"
#include "SEngineException.h"
#include "VGPythonInterpreter.h"
#include "VGPythonLock.h"
#include "VGScriptError.h"
#include "srethrow.h"

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGPythonObject";
const char* const kSetFailure = "can't set value:";
// The integer argument of a prepared method (the clock of a game object's step) goes here.
const int kIntegerPosition = 1;

}  // namespace

VGPythonObject::VGPythonObject(const boost::shared_ptr<VGPythonInterpreter>& interpreter,
                               const std::string& className, PyObject* instance)
    : m_interpreter(interpreter), m_instance(instance), m_method(nullptr), m_className(className) {
  VGPythonLock lock;
  Py_XINCREF(m_instance);
}

VGPythonObject::~VGPythonObject() {
  if (!Py_IsInitialized()) return;
  VGPythonLock lock;
  ReleaseMethod();
  ReleaseScriptValue(m_instance);
}

const std::string& VGPythonObject::ModuleName() const { return m_interpreter->GetModuleName(); }

void VGPythonObject::ReleaseMethod() {
  ReleaseScriptValue(m_method);
  m_arguments.Release();
}

// The name's own text, read through a result that holds a reference of its own, as every other
// script text is read. The script's pending error is put aside meanwhile, to be logged after.
std::string VGPythonObject::AttributeText(PyObject* name) const {
  PyObject* type = nullptr;
  PyObject* value = nullptr;
  PyObject* traceback = nullptr;
  PyErr_Fetch(&type, &value, &traceback);
  std::string text;
  Py_XINCREF(name);
  try {
    text = VGPythonResult(name).GetResultAsString();
  } catch (const SCore::KorvexCoreException&) {
    text = "?";
  }
  PyErr_Restore(type, value, traceback);
  return text;
}

VGPythonResult VGPythonObject::GetPropertyValue(PyObject* name) {
  KORVEX_TRY
    VGPythonLock lock;
    PyObject* value = m_instance == nullptr || name == nullptr ? nullptr : PyObject_GetAttr(m_instance, name);
    if (value == nullptr) {
      RaiseScriptFailure("property [" + AttributeText(name) + "] is not a property name of class name[" +
                         m_className + "] module [" + ModuleName() + "]");
    }
    return VGPythonResult(value);
  KORVEX_RETHROW("VGPythonObject::GetPropertyValue()", kSource)
}

void VGPythonObject::SetPropertyValue(PyObject* name, PyObject* value) {
  KORVEX_TRY
    VGPythonLock lock;
    // An empty value would delete the attribute instead of setting it.
    const bool stored = value != nullptr && m_instance != nullptr && name != nullptr &&
                        PyObject_SetAttr(m_instance, name, value) == 0;
    Py_XDECREF(value);
    if (!stored) {
      RaiseScriptFailure("can't set value to property[" + AttributeText(name) + "]. class name[" + m_className +
                         "]. module name[" + ModuleName() + "]");
    }
  KORVEX_RETHROW("VGPythonObject::SetPropertyValue()", kSource)
}

void VGPythonObject::SetPropertyValueLong(PyObject* name, long value) {
  KORVEX_TRY
    VGPythonLock lock;
    SetPropertyValue(name, PyLong_FromLong(value));
  KORVEX_RETHROW("VGPythonObject::SetPropertyValueLong()", kSource)
}

void VGPythonObject::SetPropertyValueSizeT(PyObject* name, size_t value) {
  KORVEX_TRY
    VGPythonLock lock;
    SetPropertyValue(name, PyLong_FromSize_t(value));
  KORVEX_RETHROW("VGPythonObject::SetPropertyValueSizeT()", kSource)
}

void VGPythonObject::SetPropertyValueDouble(PyObject* name, double value) {
  KORVEX_TRY
    VGPythonLock lock;
    SetPropertyValue(name, PyFloat_FromDouble(value));
  KORVEX_RETHROW("VGPythonObject::SetPropertyValueDouble()", kSource)
}

void VGPythonObject::SetPropertyValueString(PyObject* name, const std::string& value) {
  KORVEX_TRY
    VGPythonLock lock;
    SetPropertyValue(name, PyUnicode_FromString(value.c_str()));
  KORVEX_RETHROW("VGPythonObject::SetPropertyValueString()", kSource)
}

void VGPythonObject::SetPropertyValueBoolean(PyObject* name, bool value) {
  KORVEX_TRY
    VGPythonLock lock;
    SetPropertyValue(name, PyBool_FromLong(value ? 1 : 0));
  KORVEX_RETHROW("VGPythonObject::SetPropertyValueBoolean()", kSource)
}

void VGPythonObject::SetMethodName(const std::string& name, size_t argumentCount) {
  KORVEX_TRY
    VGPythonLock lock;
    ReleaseMethod();
    PyObject* method = m_instance == nullptr ? nullptr : PyObject_GetAttrString(m_instance, name.c_str());
    if (method == nullptr) {
      RaiseScriptFailure("method [" + name + "] is not a method name of module [" + ModuleName() + "]");
    }
    try {
      m_arguments.Make(argumentCount, ModuleName());
    } catch (...) {
      Py_DECREF(method);
      throw;
    }
    m_method = method;
    m_methodName = name;
  KORVEX_RETHROW("VGPythonObject::SetMethodName()", kSource)
}

void VGPythonObject::SetArgumentValueInteger(long value) {
  KORVEX_TRY
    VGPythonLock lock;
    m_arguments.Set(kIntegerPosition, PyLong_FromLong(value), kSetFailure);
  KORVEX_RETHROW("VGPythonObject::SetArgumentValueInteger()", kSource)
}

void VGPythonObject::SetArgumentValueDouble(int position, double value) {
  KORVEX_TRY
    VGPythonLock lock;
    m_arguments.Set(position, PyFloat_FromDouble(value), kSetFailure);
  KORVEX_RETHROW("VGPythonObject::SetArgumentValueDouble()", kSource)
}

void VGPythonObject::SetArgumentValueString(const std::string& value) {
  KORVEX_TRY
    VGPythonLock lock;
    m_arguments.Set(0, PyUnicode_FromString(value.c_str()), kSetFailure);
  KORVEX_RETHROW("VGPythonObject::SetArgumentValueString()", kSource)
}

void VGPythonObject::SetArgumentValuePyObject(int position, PyObject* value) {
  KORVEX_TRY
    VGPythonLock lock;
    Py_XINCREF(value);
    m_arguments.Set(position, value, kSetFailure);
  KORVEX_RETHROW("VGPythonObject::SetArgumentValuePyObject()", kSource)
}

void VGPythonObject::SetArgumentValue(int position, PyObject* value) {
  KORVEX_TRY
    VGPythonLock lock;
    m_arguments.Set(position, value, kSetFailure);
  KORVEX_RETHROW("VGPythonObject::SetArgumentValue()", kSource)
}

VGPythonResult VGPythonObject::Call() {
  KORVEX_TRY
    VGPythonLock lock;
    PyObject* result = m_arguments.Call(m_method, ModuleName());
    if (result == nullptr) {
      RaiseScriptFailure("can't return result from method[" + m_methodName + "] result." + " module [" +
                         ModuleName() + "]");
    }
    ReleaseMethod();
    return VGPythonResult(result);
  KORVEX_RETHROW("VGPythonObject::Call()", kSource)
}

}  // namespace Vellgrove
