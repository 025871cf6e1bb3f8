#pragma once

#include <Python.h>

#include <string>

namespace Vellgrove {

// A script text made for one use (an attribute name, say), released when it goes. Made and
// released under the interpreter lock.
class VGScriptText {
 public:
  explicit VGScriptText(const std::string& text);
  ~VGScriptText();
  VGScriptText(const VGScriptText&) = delete;
  VGScriptText& operator=(const VGScriptText&) = delete;

  PyObject* Get() const { return m_text; }

 private:
  PyObject* m_text;
};

}  // namespace Vellgrove
