#include "VGLevelTrainerCommandHideToolTip.h"

#include "SDeserializator.h"
#include "SUIToolTip.h"
#include "VGLevelTrainer.h"

namespace Vellgrove {

void VGLevelTrainerCommandHideToolTip::DoDeserialize(SCore::SDeserializator& reader) {
  DeserializeID(reader);
}

void VGLevelTrainerCommandHideToolTip::Execute(VGLevelTrainer& trainer) {
  trainer.m_toolTip->Hide();
  trainer.Advance();
}

}  // namespace Vellgrove
