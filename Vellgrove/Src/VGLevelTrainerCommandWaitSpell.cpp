#include "VGLevelTrainerCommandWaitSpell.h"

#include "SDeserializator.h"
#include "VGLevelTrainer.h"

namespace Vellgrove {

void VGLevelTrainerCommandWaitSpell::DoDeserialize(SCore::SDeserializator& reader) {
  DeserializeID(reader);
  std::string spell;
  reader.DoDeserialize("Spell", spell);
  Spell = ToolTypeFromString(spell);
  reader.DoDeserialize("DoneID", DoneID);
  reader.DoDeserialize("ErrorID", ErrorID);
}

void VGLevelTrainerCommandWaitSpell::Execute(VGLevelTrainer& trainer) {
  if (m_registrationPending) {
    trainer.m_spellWaiters.push_back(this);
    m_registrationPending = false;
  }
  if (m_answered) {
    m_answered = false;
    trainer.JumpTo(m_target);
  }
}

void VGLevelTrainerCommandWaitSpell::Answer(const std::string& target) {
  m_target = target;
  m_answered = true;
}

}  // namespace Vellgrove
