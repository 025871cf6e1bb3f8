#include "VGScriptText.h"

#include "ReleaseScriptValue.h"
#include "SEngineException.h"
#include "VGPythonLock.h"

namespace Vellgrove {

VGScriptText::VGScriptText(const std::string& text) {
  VGPythonLock lock;
  m_text = PyUnicode_FromString(text.c_str());
  if (m_text == nullptr) {
    PyErr_Clear();
    throw KorvexEngine::SEngineException(("can't make the script text [" + text + "]").c_str());
  }
}

VGScriptText::~VGScriptText() {
  VGPythonLock lock;
  ReleaseScriptValue(m_text);
}

}  // namespace Vellgrove
