#include "VGPYGameObjectDispatcher.h"

#include "ReleaseScriptValue.h"
#include "SEngineException.h"
#include "VGContact.h"
#include "VGPYFactory.h"
#include "VGPYGameObject.h"
#include "VGPythonDictionary.h"
#include "VGPythonLock.h"
#include "VGPythonObject.h"
#include "srethrow.h"

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGPYGameObjectDispatcher";

}  // namespace

VGPYGameObjectDispatcher::VGPYGameObjectDispatcher() : m_soundName(nullptr) {
  KORVEX_TRY
    Init();
  KORVEX_RETHROW("VGPYGameObjectDispatcher::VGPYGameObjectDispatcher()", kSource)
}

VGPYGameObjectDispatcher::~VGPYGameObjectDispatcher() {
  m_script.reset();
  ReleaseScriptValue(m_soundName);
}

void VGPYGameObjectDispatcher::Init() {
  KORVEX_TRY
    m_script = VGPYFactory::CreateDispatcher();
    VGPythonLock lock;
    ReleaseScriptValue(m_soundName);
    m_soundName = PyUnicode_FromString("sound_fx");
    if (m_soundName == nullptr) {
      PyErr_Clear();
      throw KorvexEngine::SEngineException("can't make the name \"sound_fx\"");
    }
  KORVEX_RETHROW("VGPYGameObjectDispatcher::Init()", kSource)
}

bool VGPYGameObjectDispatcher::Dispatch(const VGContact& contact, const boost::shared_ptr<VGPYGameObject>& first,
                                        const boost::shared_ptr<VGPYGameObject>& second,
                                        const boost::shared_ptr<VGPythonDictionary>& world, std::string& sound) {
  KORVEX_TRY
    return Dispatch(contact.PointX, contact.PointY, contact.Depth, contact.NormalX, contact.NormalY,
                    *first->GetPythonObject(), *second->GetPythonObject(), *world, sound);
  KORVEX_RETHROW("VGPYGameObjectDispatcher::Dispatch()", kSource)
}

bool VGPYGameObjectDispatcher::Dispatch(float pointX, float pointY, float depth, float normalX, float normalY,
                                        VGPythonObject& first, VGPythonObject& second, VGPythonDictionary& world,
                                        std::string& sound) {
  KORVEX_TRY
    VGPythonLock lock;
    m_script->SetMethodName("run", 8);
    m_script->SetArgumentValuePyObject(0, first.GetInstance());
    m_script->SetArgumentValuePyObject(1, second.GetInstance());
    const float numbers[] = {pointX, pointY, depth, normalX, normalY};
    int position = 2;
    for (float number : numbers) m_script->SetArgumentValueDouble(position++, number);
    m_script->SetArgumentValuePyObject(position, world.GetDictionary());
    const bool respond = m_script->Call().GetResultAsBool();
    sound = m_script->GetPropertyValue(m_soundName).GetResultAsString();
    return respond;
  KORVEX_RETHROW("VGPYGameObjectDispatcher::Dispatch()", kSource)
}

}  // namespace Vellgrove
