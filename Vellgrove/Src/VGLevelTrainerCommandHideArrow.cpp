#include "VGLevelTrainerCommandHideArrow.h"

#include "SDeserializator.h"
#include "SSpriteTransition.h"
#include "VGLevelTrainer.h"

namespace Vellgrove {

void VGLevelTrainerCommandHideArrow::DoDeserialize(SCore::SDeserializator& reader) {
  DeserializeID(reader);
}

void VGLevelTrainerCommandHideArrow::Execute(VGLevelTrainer& trainer) {
  VGLevelTrainer::FadeOut(*trainer.m_arrowFade);
  trainer.Advance();
}

}  // namespace Vellgrove
