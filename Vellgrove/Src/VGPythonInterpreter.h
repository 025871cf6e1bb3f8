#pragma once

#include <Python.h>

#include <string>

namespace Vellgrove {

// The running interpreter and the one script module the game imports. Every wrapper of the bridge
// keeps a shared pointer to it, for the module's name in its messages and so that the interpreter
// is finalised only after the last wrapper has released its script values.
class VGPythonInterpreter {
 public:
  VGPythonInterpreter();
  virtual ~VGPythonInterpreter();
  VGPythonInterpreter(const VGPythonInterpreter&) = delete;
  VGPythonInterpreter& operator=(const VGPythonInterpreter&) = delete;

  // Starts the interpreter with PYTHONPATH naming the working directory's "scripts" folder when
  // nothing started it, puts that folder first on the module path, and imports the module.
  void LoadModule(const std::string& name);
  // A new reference that the caller owns.
  PyObject* GetModuleAttribute(const std::string& name);

  const std::string& GetModuleName() const { return m_moduleName; }
  bool IsModuleLoaded() const { return m_module != nullptr; }

 private:
  void PutScriptsFolderFirst(const std::string& folder);

  PyObject* m_module;
  std::string m_moduleName;
};

}  // namespace Vellgrove
