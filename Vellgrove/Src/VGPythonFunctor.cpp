#include "VGPythonFunctor.h"

#include "ReleaseScriptValue.h"
#include "SEngineException.h"
#include "VGPythonInterpreter.h"
#include "VGPythonLock.h"
#include "VGScriptError.h"
#include "srethrow.h"

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGPythonFunctor";
const char* const kSetFailure = "can't set long value:";

}  // namespace

VGPythonFunctor::VGPythonFunctor(const boost::shared_ptr<VGPythonInterpreter>& interpreter)
    : m_interpreter(interpreter), m_function(nullptr) {}

VGPythonFunctor::~VGPythonFunctor() {
  if (!Py_IsInitialized()) return;
  VGPythonLock lock;
  Release();
}

const std::string& VGPythonFunctor::ModuleName() const { return m_interpreter->GetModuleName(); }

void VGPythonFunctor::Release() {
  VGPythonLock lock;
  ReleaseScriptValue(m_function);
  m_arguments.Release();
}

void VGPythonFunctor::SetFuncName(const std::string& name, size_t argumentCount) {
  KORVEX_TRY
    VGPythonLock lock;
    Release();
    PyObject* function = m_interpreter->GetModuleAttribute(name);
    if (PyCallable_Check(function) == 0) {
      Py_DECREF(function);
      throw KorvexEngine::SEngineException(
          ("the [" + name + "] is not a function name of module [" + ModuleName() + "]").c_str());
    }
    m_arguments.Make(argumentCount, ModuleName());
    m_function = function;
    m_functionName = name;
  KORVEX_RETHROW("VGPythonFunctor::SetFuncName()", kSource)
}

void VGPythonFunctor::SetArgumentValueSizeT(int position, size_t value) {
  KORVEX_TRY
    VGPythonLock lock;
    m_arguments.Set(position, PyLong_FromSize_t(value), kSetFailure);
  KORVEX_RETHROW("VGPythonFunctor::SetArgumentValueSizeT()", kSource)
}

void VGPythonFunctor::SetArgumentValueDouble(int position, double value) {
  KORVEX_TRY
    VGPythonLock lock;
    m_arguments.Set(position, PyFloat_FromDouble(value), kSetFailure);
  KORVEX_RETHROW("VGPythonFunctor::SetArgumentValueDouble()", kSource)
}

void VGPythonFunctor::SetArgumentValueString(const std::string& value) {
  KORVEX_TRY
    VGPythonLock lock;
    m_arguments.Set(0, PyUnicode_FromString(value.c_str()), kSetFailure);
  KORVEX_RETHROW("VGPythonFunctor::SetArgumentValueString()", kSource)
}

void VGPythonFunctor::SetArgumentValueBoolean(int position, bool value) {
  KORVEX_TRY
    VGPythonLock lock;
    m_arguments.Set(position, PyBool_FromLong(value ? 1 : 0), kSetFailure);
  KORVEX_RETHROW("VGPythonFunctor::SetArgumentValueBoolean()", kSource)
}

void VGPythonFunctor::SetArgumentValuePyObject(PyObject* value) {
  KORVEX_TRY
    VGPythonLock lock;
    Py_XINCREF(value);
    m_arguments.Set(0, value, kSetFailure);
  KORVEX_RETHROW("VGPythonFunctor::SetArgumentValuePyObject()", kSource)
}

void VGPythonFunctor::SetArgumentValue(int position, PyObject* value) {
  KORVEX_TRY
    VGPythonLock lock;
    m_arguments.Set(position, value, kSetFailure);
  KORVEX_RETHROW("VGPythonFunctor::SetArgumentValue()", kSource)
}

VGPythonResult VGPythonFunctor::Exec() {
  KORVEX_TRY
    VGPythonLock lock;
    PyObject* result = m_arguments.Call(m_function, ModuleName());
    if (result == nullptr) {
      RaiseScriptFailure("can't return function result.[" + m_functionName + "] module [" + ModuleName() + "]");
    }
    return VGPythonResult(result);
  KORVEX_RETHROW("VGPythonFunctor::Exec()", kSource)
}

}  // namespace Vellgrove
