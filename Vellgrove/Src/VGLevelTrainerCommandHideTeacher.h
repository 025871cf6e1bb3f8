#pragma once

#include "VGLevelTrainerCommand.h"

namespace Vellgrove {

// Fades the teacher out.
class VGLevelTrainerCommandHideTeacher : public VGLevelTrainerCommand {
 public:
  void Execute(VGLevelTrainer& trainer) override;
  void DoDeserialize(SCore::SDeserializator& reader) override;
};

}  // namespace Vellgrove
