#include "VGLevelTrainerCommandShowToolTip.h"

#include "SDeserializator.h"
#include "VGLevelTrainer.h"

namespace Vellgrove {

void VGLevelTrainerCommandShowToolTip::DoDeserialize(SCore::SDeserializator& reader) {
  DeserializeID(reader);
  reader.DoDeserialize("Text", Text);
}

void VGLevelTrainerCommandShowToolTip::Execute(VGLevelTrainer& trainer) {
  trainer.ShowToolTip(Text);
  trainer.Advance();
}

}  // namespace Vellgrove
