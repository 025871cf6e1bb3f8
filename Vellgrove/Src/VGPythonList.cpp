#include "VGPythonList.h"

#include "ReleaseScriptValue.h"
#include "SEngineException.h"
#include "VGPythonInterpreter.h"
#include "VGPythonLock.h"
#include "srethrow.h"

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGPythonList";

// A list that wraps what a script handed over knows no interpreter.
const char* const kUnknownModule = "unknown";

}  // namespace

VGPythonList::VGPythonList(const boost::shared_ptr<VGPythonInterpreter>& interpreter)
    : m_interpreter(interpreter), m_list(nullptr) {
  KORVEX_TRY
    VGPythonLock lock;
    m_list = PyList_New(0);
    if (m_list == nullptr) {
      PyErr_Clear();
      throw KorvexEngine::SEngineException(("can't make a list. module name [" + ModuleName() + "]").c_str());
    }
  KORVEX_RETHROW("VGPythonList::VGPythonList()", kSource)
}

VGPythonList::VGPythonList(PyObject* existingList) : m_list(nullptr) {
  KORVEX_TRY
    VGPythonLock lock;
    if (existingList == nullptr || !PyList_Check(existingList)) {
      const std::string type = existingList == nullptr ? "no value" : Py_TYPE(existingList)->tp_name;
      throw KorvexEngine::SEngineException(
          ("the script value of type [" + type + "] is not a list. module name [" + ModuleName() + "]").c_str());
    }
    Py_INCREF(existingList);
    m_list = existingList;
  KORVEX_RETHROW("VGPythonList::VGPythonList()", kSource)
}

VGPythonList::~VGPythonList() { Flush(); }

void VGPythonList::Flush() {
  ReleaseScriptValue(m_list);
}

std::string VGPythonList::ModuleName() const {
  return m_interpreter ? m_interpreter->GetModuleName() : std::string(kUnknownModule);
}

void VGPythonList::Append(PyObject* value) {
  KORVEX_TRY
    VGPythonLock lock;
    if (value == nullptr || PyList_Append(m_list, value) != 0) {
      PyErr_Clear();
      throw KorvexEngine::SEngineException(
          ("can't append value to list. module name [" + ModuleName() + "]").c_str());
    }
  KORVEX_RETHROW("VGPythonList::Append()", kSource)
}

VGPythonResult VGPythonList::GetValue(size_t index) {
  KORVEX_TRY
    VGPythonLock lock;
    const size_t size = static_cast<size_t>(PyList_GET_SIZE(m_list));
    if (index >= size) {
      throw KorvexEngine::SEngineException(("list index [" + std::to_string(index) + "] is outside the list of " +
                                            std::to_string(size) + ". module name [" + ModuleName() + "]")
                                               .c_str());
    }
    PyObject* item = PyList_GET_ITEM(m_list, static_cast<Py_ssize_t>(index));
    Py_INCREF(item);
    return VGPythonResult(item);
  KORVEX_RETHROW("VGPythonList::GetValue()", kSource)
}

size_t VGPythonList::GetSize() const {
  VGPythonLock lock;
  return static_cast<size_t>(PyList_GET_SIZE(m_list));
}

}  // namespace Vellgrove
