#pragma once

#include "VGPythonArguments.h"
#include "VGPythonResult.h"

#include <Python.h>
#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <string>

namespace Vellgrove {

class VGPythonInterpreter;

// One script instance (a game object's script, the collision dispatcher, a sprite record) whose
// attributes the game reads and writes and whose methods it prepares and calls one call at a time.
// Attribute names are script texts made once by their user; they are neither taken nor released
// here.
class VGPythonObject {
 public:
  // Takes a reference of its own to the instance; the class name serves the messages only.
  VGPythonObject(const boost::shared_ptr<VGPythonInterpreter>& interpreter, const std::string& className,
                 PyObject* instance);
  virtual ~VGPythonObject();
  VGPythonObject(const VGPythonObject&) = delete;
  VGPythonObject& operator=(const VGPythonObject&) = delete;

  VGPythonResult GetPropertyValue(PyObject* name);
  // Takes the value over, stored or not; an empty value (one that could not be made) raises.
  void SetPropertyValue(PyObject* name, PyObject* value);
  void SetPropertyValueLong(PyObject* name, long value);
  void SetPropertyValueSizeT(PyObject* name, size_t value);
  void SetPropertyValueDouble(PyObject* name, double value);
  void SetPropertyValueString(PyObject* name, const std::string& value);
  void SetPropertyValueBoolean(PyObject* name, bool value);

  // Prepares one call of the method; a successful Call forgets it again.
  void SetMethodName(const std::string& name, size_t argumentCount);
  // Always position 1.
  void SetArgumentValueInteger(long value);
  void SetArgumentValueDouble(int position, double value);
  // Always position 0.
  void SetArgumentValueString(const std::string& value);
  // The tuple takes a reference of its own.
  void SetArgumentValuePyObject(int position, PyObject* value);
  // Hands the value over to the tuple.
  void SetArgumentValue(int position, PyObject* value);
  VGPythonResult Call();

  // Borrowed.
  PyObject* GetInstance() const { return m_instance; }
  const std::string& GetClassName() const { return m_className; }

 private:
  const std::string& ModuleName() const;
  std::string AttributeText(PyObject* name) const;
  void ReleaseMethod();

  boost::shared_ptr<VGPythonInterpreter> m_interpreter;
  PyObject* m_instance;
  VGPythonArguments m_arguments;
  PyObject* m_method;
  std::string m_methodName;
  std::string m_className;
};

}  // namespace Vellgrove
