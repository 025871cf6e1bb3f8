#include "SSceneNodeBase.h"

#include "SDeserializator.h"
#include "SEngineException.h"
#include "SSceneNodeAction.h"
#include "SSerializator.h"
#include "srethrow.h"

namespace KorvexEngine {

namespace {

const char* const kSource = ".\\Src\\SSceneNodeBase";

}  // namespace

SSceneNodeBase::SSceneNodeBase(const std::string& name, SSceneNodeType type) : Name(name), Type(type) {}

SSceneNodeBase::~SSceneNodeBase() = default;

void SSceneNodeBase::WriteNode(SCore::SSerializator& serializator) {
  serializator.DoSerialize("ID", static_cast<unsigned int>(ID));
  serializator.DoSerialize("Name", Name);
  serializator.DoSerialize("Type", static_cast<unsigned int>(Type));
  Transformation.DoSerialize(serializator);
  serializator.DoBeginChild("Childs");
  for (const boost::shared_ptr<SSceneNodeBase>& child : Children) {
    serializator.DoBeginChild("Child");
    serializator.DoSerialize("ID", static_cast<unsigned int>(child->ID));
    serializator.DoEndChild();
  }
  serializator.DoEndChild();
}

void SSceneNodeBase::ReadNode(SCore::SDeserializator& deserializator) {
  unsigned int id = 0;
  unsigned int type = 0;
  deserializator.DoDeserialize("ID", id);
  deserializator.DoDeserialize("Name", Name);
  deserializator.DoDeserialize("Type", type);
  ID = id;
  Type = type;
  Transformation.DoDeserialize(deserializator);
}

void SSceneNodeBase::DoSerialize(SCore::SSerializator& serializator) {
  KORVEX_TRY
    WriteNode(serializator);
  KORVEX_RETHROW("SSceneNodeBase::DoSerialize()", kSource)
}

void SSceneNodeBase::DoAction(SSceneNodeAction& action) {
  KORVEX_TRY
    action.OnNode(*this);
  KORVEX_RETHROW("SSceneNodeBase::DoAction()", kSource)
}

void SSceneNodeBase::DoRender(STransformation&) {}

void SSceneNodeBase::DoDeserialize(SCore::SDeserializator&, unsigned int) {
  KORVEX_TRY
    throw SEngineException("you do not must call this method");
  KORVEX_RETHROW("SSceneNodeBase::DoDeserialize()", kSource)
}

void SSceneNodeBase::DoDeserialize(SCore::SDeserializator& deserializator) {
  KORVEX_TRY
    ReadNode(deserializator);
  KORVEX_RETHROW("SSceneNodeBase::DoDeserialize()", kSource)
}

}  // namespace KorvexEngine
