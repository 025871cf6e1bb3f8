#pragma once

#include "VGLevelTrainerCommand.h"
#include "VGToolType.h"

#include <string>

namespace Vellgrove {

// Waits for the player's spell: the wanted one jumps to DoneID, any other or a failed stroke to
// ErrorID. Told of every spell from its first run on, current or not.
class VGLevelTrainerCommandWaitSpell : public VGLevelTrainerCommand {
 public:
  void Execute(VGLevelTrainer& trainer) override;
  void DoDeserialize(SCore::SDeserializator& reader) override;
  // The trainer's notifications.
  void Answer(const std::string& target);

  VGToolType Spell = VGTT_WALL;
  std::string DoneID;
  std::string ErrorID;
  bool m_answered = false;
  std::string m_target;
  bool m_registrationPending = true;
};

}  // namespace Vellgrove
