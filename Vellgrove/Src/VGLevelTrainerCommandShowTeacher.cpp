#include "VGLevelTrainerCommandShowTeacher.h"

#include "SDeserializator.h"
#include "VGLevelTrainer.h"

namespace Vellgrove {

void VGLevelTrainerCommandShowTeacher::DoDeserialize(SCore::SDeserializator& reader) {
  DeserializeID(reader);
  reader.DoDeserialize("X", X);
  reader.DoDeserialize("Y", Y);
}

void VGLevelTrainerCommandShowTeacher::Execute(VGLevelTrainer& trainer) {
  trainer.ShowTeacher(X, Y);
  trainer.Advance();
}

}  // namespace Vellgrove
