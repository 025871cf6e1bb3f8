#pragma once

#include "VGLevelTrainerCommand.h"
#include "VGMapMoveType.h"

namespace Vellgrove {

// Waits until the latest push of the level view went its way.
class VGLevelTrainerCommandWaitMapMove : public VGLevelTrainerCommand {
 public:
  void Execute(VGLevelTrainer& trainer) override;
  void DoDeserialize(SCore::SDeserializator& reader) override;

  VGMapMoveType MoveType = VGMMT_LEFT;
  bool m_matched = false;
  bool m_registrationPending = true;
};

}  // namespace Vellgrove
