#include "VGLevelTrainerCommandWaitMapMove.h"

#include "SDeserializator.h"
#include "VGLevelTrainer.h"

#include <string>

namespace Vellgrove {

void VGLevelTrainerCommandWaitMapMove::DoDeserialize(SCore::SDeserializator& reader) {
  DeserializeID(reader);
  std::string move;
  reader.DoDeserialize("MoveType", move);
  MoveType = MoveTypeFromString(move);
}

void VGLevelTrainerCommandWaitMapMove::Execute(VGLevelTrainer& trainer) {
  if (m_registrationPending) {
    trainer.m_mapMoveWaiters.push_back(this);
    m_registrationPending = false;
  }
  if (m_matched) trainer.Advance();
}

}  // namespace Vellgrove
