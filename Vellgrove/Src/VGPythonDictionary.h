#pragma once

#include "VGPythonResult.h"

#include <Python.h>
#include <boost/shared_ptr.hpp>

namespace Vellgrove {

class VGPythonInterpreter;

// A script dictionary of its own (the world's table from object type to the list of its objects),
// with exactly one reference to it.
class VGPythonDictionary {
 public:
  explicit VGPythonDictionary(const boost::shared_ptr<VGPythonInterpreter>& interpreter);
  virtual ~VGPythonDictionary();
  VGPythonDictionary(const VGPythonDictionary&) = delete;
  VGPythonDictionary& operator=(const VGPythonDictionary&) = delete;

  // The dictionary takes references of its own; the caller keeps its own.
  void Set(PyObject* key, PyObject* value);
  VGPythonResult GetValue(PyObject* key);
  bool Contains(PyObject* key);

  // Borrowed, to hand the dictionary to scripts.
  PyObject* GetDictionary() const { return m_dictionary; }

 private:
  void Flush();
  std::string ModuleName() const;

  boost::shared_ptr<VGPythonInterpreter> m_interpreter;
  PyObject* m_dictionary;
};

}  // namespace Vellgrove
