#include "VGPythonInterpreter.h"

#include "PythonStartUp.h"
#include "ReleaseScriptValue.h"
#include "SEngineException.h"
#include "VGPythonLock.h"
#include "VGScriptError.h"
#include "srethrow.h"

#include "Platform/NativePath.h"
#include "Platform/Win32.h"

#include <vector>

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGPythonInterpreter";

std::wstring WorkingDirectory() {
  std::vector<wchar_t> buffer(1024);
  const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
  if (length == 0 || length >= buffer.size()) throw KorvexEngine::SEngineException("can't read the working directory");
  return std::wstring(buffer.data(), length);
}

// The list separator that ends the path text becomes an empty entry here, and the interpreter
// reads an empty entry as the working directory, which would then come before the standard
// library.
void DropEmptyPathEntries() {
  std::vector<char> value(4096);
  const DWORD length = GetEnvironmentVariableA("PYTHONPATH", value.data(), static_cast<DWORD>(value.size()));
  if (length == 0 || length >= value.size()) return;
  std::string kept;
  std::string entry;
  for (DWORD i = 0; i <= length; ++i) {
    if (i < length && value[i] != ':') {
      entry += value[i];
      continue;
    }
    if (!entry.empty()) kept += (kept.empty() ? "" : ":") + entry;
    entry.clear();
  }
  SetEnvironmentVariableW(L"PYTHONPATH", Platform::Utf8ToWide(kept).c_str());
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

VGPythonInterpreter::VGPythonInterpreter() : m_module(nullptr) { HoldPython(); }

VGPythonInterpreter::~VGPythonInterpreter() {
  ReleaseScriptValue(m_module);
  // After the lock is given back: the last holder may finalise the interpreter here.
  ReleasePythonHold();
}

void VGPythonInterpreter::LoadModule(const std::string& name) {
  KORVEX_TRY
    const std::wstring scripts = WorkingDirectory() + L"\\scripts\\";
    // The variable is read only by the interpreter's start; once it runs, the environment stays as
    // it is, since other threads (the main thread drawing the loading screen) may be reading it.
    if (!Py_IsInitialized()) {
      SetEnvironmentVariableW(L"PYTHONPATH", (scripts + L";").c_str());
      DropEmptyPathEntries();
      StartPython();
    }
    VGPythonLock lock;
    // The path is fixed when the interpreter starts; one started earlier (PYTHONPATH set by the
    // user, say) learns the folder here.
    PutScriptsFolderFirst(WithoutTrailingSlash(Platform::ToNativePath(scripts)));
    PyObject* nameObject = PyUnicode_FromString(name.c_str());
    PyObject* module = nameObject == nullptr ? nullptr : PyImport_Import(nameObject);
    Py_XDECREF(nameObject);
    if (module == nullptr) RaiseScriptFailure("can't load Python module [" + name + "]");
    Py_XDECREF(m_module);
    m_module = module;
    m_moduleName = name;
  KORVEX_RETHROW("VGPythonInterpreter::LoadModule()", kSource)
}

void VGPythonInterpreter::PutScriptsFolderFirst(const std::string& folder) {
  PyObject* path = PySys_GetObject("path");
  PyObject* entry = PyUnicode_DecodeFSDefault(folder.c_str());
  if (path == nullptr || !PyList_Check(path) || entry == nullptr) {
    Py_XDECREF(entry);
    LogScriptError("can't read the module search path");
    throw KorvexEngine::SEngineException("can't put the scripts folder on the module search path");
  }
  for (Py_ssize_t i = PyList_GET_SIZE(path) - 1; i >= 0; --i) {
    PyObject* item = PyList_GET_ITEM(path, i);
    const char* text = PyUnicode_Check(item) ? PyUnicode_AsUTF8(item) : nullptr;
    if (text != nullptr && WithoutTrailingSlash(text) == folder) PySequence_DelItem(path, i);
  }
  PyErr_Clear();
  PyList_Insert(path, 0, entry);
  Py_DECREF(entry);
}

PyObject* VGPythonInterpreter::GetModuleAttribute(const std::string& name) {
  KORVEX_TRY
    VGPythonLock lock;
    PyObject* attribute = m_module == nullptr ? nullptr : PyObject_GetAttrString(m_module, name.c_str());
    if (attribute == nullptr) RaiseScriptFailure("can't get ModuleAttribute[" + name + "]");
    return attribute;
  KORVEX_RETHROW("VGPythonInterpreter::GetModuleAttribute()", kSource)
}

}  // namespace Vellgrove
