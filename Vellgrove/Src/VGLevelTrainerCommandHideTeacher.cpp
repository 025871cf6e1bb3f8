#include "VGLevelTrainerCommandHideTeacher.h"

#include "SDeserializator.h"
#include "SSpriteTransition.h"
#include "VGLevelTrainer.h"

namespace Vellgrove {

void VGLevelTrainerCommandHideTeacher::DoDeserialize(SCore::SDeserializator& reader) {
  DeserializeID(reader);
}

void VGLevelTrainerCommandHideTeacher::Execute(VGLevelTrainer& trainer) {
  VGLevelTrainer::FadeOut(*trainer.m_teacherFade);
  trainer.Advance();
}

}  // namespace Vellgrove
