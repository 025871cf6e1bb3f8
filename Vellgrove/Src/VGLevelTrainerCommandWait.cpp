#include "VGLevelTrainerCommandWait.h"

#include "SDeserializator.h"
#include "VGLevelTrainer.h"

#include "Platform/MMSystem.h"

namespace Vellgrove {

void VGLevelTrainerCommandWait::DoDeserialize(SCore::SDeserializator& reader) {
  DeserializeID(reader);
  reader.DoDeserialize("Time", Time);
}

void VGLevelTrainerCommandWait::Execute(VGLevelTrainer& trainer) {
  if (m_armed) {
    m_startOffset = timeGetTime() - trainer.m_clock;
    m_armed = false;
  }
  if (timeGetTime() - trainer.m_clock - m_startOffset > Time) {
    trainer.Advance();
    // A jump back to this wait measures afresh.
    m_armed = true;
  }
}

}  // namespace Vellgrove
