#pragma once

#include "VGPythonResult.h"

#include <Python.h>
#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <string>

namespace Vellgrove {

class VGPythonInterpreter;

// A script list, new or one a script handed over, with exactly one reference to it.
class VGPythonList {
 public:
  // A new empty list.
  explicit VGPythonList(const boost::shared_ptr<VGPythonInterpreter>& interpreter);
  // An existing list (for example what a script method returned); anything else raises.
  explicit VGPythonList(PyObject* existingList);
  virtual ~VGPythonList();
  VGPythonList(const VGPythonList&) = delete;
  VGPythonList& operator=(const VGPythonList&) = delete;

  // The list takes a reference of its own; the caller keeps its own.
  void Append(PyObject* value);
  VGPythonResult GetValue(size_t index);
  size_t GetSize() const;

  // Borrowed, to hand the list to scripts.
  PyObject* GetList() const { return m_list; }

 private:
  void Flush();
  std::string ModuleName() const;

  boost::shared_ptr<VGPythonInterpreter> m_interpreter;
  PyObject* m_list;
};

}  // namespace Vellgrove
