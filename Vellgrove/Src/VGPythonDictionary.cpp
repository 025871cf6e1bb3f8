#include "VGPythonDictionary.h"

#include "ReleaseScriptValue.h"
#include "SEngineException.h"
#include "VGPythonInterpreter.h"
#include "VGPythonLock.h"
#include "srethrow.h"

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGPythonDictionary";

}  // namespace

VGPythonDictionary::VGPythonDictionary(const boost::shared_ptr<VGPythonInterpreter>& interpreter)
    : m_interpreter(interpreter), m_dictionary(nullptr) {
  KORVEX_TRY
    VGPythonLock lock;
    m_dictionary = PyDict_New();
    if (m_dictionary == nullptr) {
      PyErr_Clear();
      throw KorvexEngine::SEngineException(("can't make a dictionary. module name [" + ModuleName() + "]").c_str());
    }
  KORVEX_RETHROW("VGPythonDictionary::VGPythonDictionary()", kSource)
}

VGPythonDictionary::~VGPythonDictionary() { Flush(); }

void VGPythonDictionary::Flush() {
  ReleaseScriptValue(m_dictionary);
}

std::string VGPythonDictionary::ModuleName() const {
  return m_interpreter ? m_interpreter->GetModuleName() : std::string();
}

void VGPythonDictionary::Set(PyObject* key, PyObject* value) {
  KORVEX_TRY
    VGPythonLock lock;
    if (key == nullptr || value == nullptr || PyDict_SetItem(m_dictionary, key, value) != 0) {
      PyErr_Clear();
      throw KorvexEngine::SEngineException(("can't set value. module name [" + ModuleName() + "]").c_str());
    }
  KORVEX_RETHROW("VGPythonDictionary::Set()", kSource)
}

VGPythonResult VGPythonDictionary::GetValue(PyObject* key) {
  KORVEX_TRY
    VGPythonLock lock;
    PyObject* item = key == nullptr ? nullptr : PyDict_GetItem(m_dictionary, key);
    if (item == nullptr) {
      throw KorvexEngine::SEngineException(
          ("dictionary don't contain the key. module name [" + ModuleName() + "]").c_str());
    }
    Py_INCREF(item);
    return VGPythonResult(item);
  KORVEX_RETHROW("VGPythonDictionary::GetValue()", kSource)
}

bool VGPythonDictionary::Contains(PyObject* key) {
  KORVEX_TRY
    VGPythonLock lock;
    return key != nullptr && PyDict_GetItem(m_dictionary, key) != nullptr;
  KORVEX_RETHROW("VGPythonDictionary::Contains()", kSource)
}

}  // namespace Vellgrove
