#include "VGLevelTrainerCommandShowArrow.h"

#include "SDeserializator.h"
#include "VGLevelTrainer.h"

namespace Vellgrove {

void VGLevelTrainerCommandShowArrow::DoDeserialize(SCore::SDeserializator& reader) {
  DeserializeID(reader);
  reader.DoDeserialize("X", X);
  reader.DoDeserialize("Y", Y);
  reader.DoDeserialize("Angle", Angle);
}

void VGLevelTrainerCommandShowArrow::Execute(VGLevelTrainer& trainer) {
  trainer.ShowArrow(X, Y, Angle);
  trainer.Advance();
}

}  // namespace Vellgrove
