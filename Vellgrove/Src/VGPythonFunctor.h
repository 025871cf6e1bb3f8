#pragma once

#include "VGPythonArguments.h"
#include "VGPythonResult.h"

#include <Python.h>
#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <string>

namespace Vellgrove {

class VGPythonInterpreter;

// A function of the script module with an argument tuple that stays from call to call: only the
// positions whose values change are set again before the next Exec.
class VGPythonFunctor {
 public:
  explicit VGPythonFunctor(const boost::shared_ptr<VGPythonInterpreter>& interpreter);
  virtual ~VGPythonFunctor();
  VGPythonFunctor(const VGPythonFunctor&) = delete;
  VGPythonFunctor& operator=(const VGPythonFunctor&) = delete;

  void SetFuncName(const std::string& name, size_t argumentCount);
  void Release();

  void SetArgumentValueSizeT(int position, size_t value);
  void SetArgumentValueDouble(int position, double value);
  // Always position 0.
  void SetArgumentValueString(const std::string& value);
  void SetArgumentValueBoolean(int position, bool value);
  // Always position 0; the tuple takes a reference of its own.
  void SetArgumentValuePyObject(PyObject* value);
  // Hands the value over to the tuple.
  void SetArgumentValue(int position, PyObject* value);

  VGPythonResult Exec();

  const std::string& GetFuncName() const { return m_functionName; }

 private:
  const std::string& ModuleName() const;

  boost::shared_ptr<VGPythonInterpreter> m_interpreter;
  PyObject* m_function;
  VGPythonArguments m_arguments;
  std::string m_functionName;
};

}  // namespace Vellgrove
