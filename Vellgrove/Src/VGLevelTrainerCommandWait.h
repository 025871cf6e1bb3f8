#pragma once

#include "VGLevelTrainerCommand.h"

namespace Vellgrove {

// Waits more than Time milliseconds from the update at which it first runs.
class VGLevelTrainerCommandWait : public VGLevelTrainerCommand {
 public:
  void Execute(VGLevelTrainer& trainer) override;
  void DoDeserialize(SCore::SDeserializator& reader) override;

  unsigned int Time = 0;
  unsigned int m_startOffset = 0;
  bool m_armed = true;
};

}  // namespace Vellgrove
