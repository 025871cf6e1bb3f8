#include "SSceneNodeCamera.h"

#include "SCameraFactory.h"
#include "SDeserializator.h"
#include "SEngineException.h"
#include "SSceneNodeAction.h"
#include "SSerializator.h"
#include "srethrow.h"

namespace KorvexEngine {

namespace {

const char* const kSource = ".\\Src\\sscenenodecamera";

}  // namespace

SSceneNodeCamera::SSceneNodeCamera(const std::string& name) : SSceneNodeBase(name, 2) {}

SSceneNodeCamera::~SSceneNodeCamera() = default;

void SSceneNodeCamera::DoSerialize(SCore::SSerializator& serializator) {
  KORVEX_TRY
    if (!m_Camera) throw SEngineException("the camera node has no camera");
    WriteNode(serializator);
    serializator.DoBeginChild("Camera");
    serializator.DoSerialize("Type", static_cast<unsigned int>(m_Camera->Type));
    serializator.DoSerialize("EYE", m_Camera->Eye);
    serializator.DoSerialize("AT", m_Camera->At);
    serializator.DoSerialize("UP", m_Camera->Up);
    serializator.DoEndChild();
  KORVEX_RETHROW("SSceneNodeCamera::DoSerialize()", kSource)
}

void SSceneNodeCamera::DoAction(SSceneNodeAction& action) {
  KORVEX_TRY
    action.OnCameraNode(*this);
  KORVEX_RETHROW("SSceneNodeCamera::DoAction()", kSource)
}

void SSceneNodeCamera::DoRender(STransformation&) {
  KORVEX_TRY
    if (!m_Camera) throw SEngineException("the camera node has no camera");
    m_Camera->Set();
  KORVEX_RETHROW("SSceneNodeCamera::DoRender()", kSource)
}

void SSceneNodeCamera::DoDeserialize(SCore::SDeserializator&, unsigned int) {}

void SSceneNodeCamera::DoDeserialize(SCore::SDeserializator& deserializator) {
  KORVEX_TRY
    ReadNode(deserializator);
    deserializator.DoBeginChild("Camera");
    unsigned int type = 0;
    deserializator.DoDeserialize("Type", type);
    m_Camera = SCameraFactory::Create(type);
    deserializator.DoDeserialize("EYE", m_Camera->Eye);
    deserializator.DoDeserialize("AT", m_Camera->At);
    deserializator.DoDeserialize("UP", m_Camera->Up);
    deserializator.DoEndChild();
  KORVEX_RETHROW("SSceneNodeCamera::DoDeserialize()", kSource)
}

}  // namespace KorvexEngine
