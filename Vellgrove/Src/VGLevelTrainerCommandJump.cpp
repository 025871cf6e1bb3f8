#include "VGLevelTrainerCommandJump.h"

#include "SDeserializator.h"
#include "VGLevelTrainer.h"

namespace Vellgrove {

void VGLevelTrainerCommandJump::DoDeserialize(SCore::SDeserializator& reader) {
  DeserializeID(reader);
  reader.DoDeserialize("CommandID", CommandID);
}

void VGLevelTrainerCommandJump::Execute(VGLevelTrainer& trainer) {
  trainer.JumpTo(CommandID);
}

}  // namespace Vellgrove
