#include "VGScriptError.h"

#include "SEngineException.h"
#include "SLoger.h"

#include <Python.h>

namespace Vellgrove {

namespace {

std::string TextOf(PyObject* text) {
  const char* utf8 = text == nullptr ? nullptr : PyUnicode_AsUTF8(text);
  return utf8 == nullptr ? std::string() : std::string(utf8);
}

// The traceback module's own rendering; the bare value's text when that fails.
std::string Describe(PyObject* type, PyObject* value, PyObject* traceback) {
  std::string text;
  PyObject* module = PyImport_ImportModule("traceback");
  PyObject* lines = module == nullptr ? nullptr
                                      : PyObject_CallMethod(module, "format_exception", "OOO", type,
                                                            value != nullptr ? value : Py_None,
                                                            traceback != nullptr ? traceback : Py_None);
  if (lines != nullptr && PyList_Check(lines)) {
    for (Py_ssize_t i = 0; i < PyList_GET_SIZE(lines); ++i) text += TextOf(PyList_GET_ITEM(lines, i));
  }
  Py_XDECREF(lines);
  Py_XDECREF(module);
  PyErr_Clear();
  if (text.empty() && value != nullptr) {
    PyObject* plain = PyObject_Str(value);
    text = TextOf(plain);
    Py_XDECREF(plain);
    PyErr_Clear();
  }
  return text;
}

}  // namespace

std::string LogScriptError(const std::string& bridgeMessage) {
  if (PyErr_Occurred() == nullptr) return std::string();
  PyObject* type = nullptr;
  PyObject* value = nullptr;
  PyObject* traceback = nullptr;
  PyErr_Fetch(&type, &value, &traceback);
  PyErr_NormalizeException(&type, &value, &traceback);
  if (traceback != nullptr && value != nullptr) PyException_SetTraceback(value, traceback);
  std::string text = Describe(type, value, traceback);
  Py_XDECREF(type);
  Py_XDECREF(value);
  Py_XDECREF(traceback);
  if (!text.empty() && text.back() == '\n') text.pop_back();
  // One insertion, so that no other thread's line lands inside the traceback.
  SCore::g_Loger << SCore::GetTimeStamp() + " " + bridgeMessage + "; the script says:\n" + text + "\n";
  return text;
}

void RaiseScriptFailure(const std::string& bridgeMessage) {
  LogScriptError(bridgeMessage);
  throw KorvexEngine::SEngineException(bridgeMessage.c_str());
}

}  // namespace Vellgrove
