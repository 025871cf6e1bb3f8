#pragma once

#include "VGLevelTrainerCommand.h"

namespace Vellgrove {

// Fades the teacher in at (X, Y).
class VGLevelTrainerCommandShowTeacher : public VGLevelTrainerCommand {
 public:
  void Execute(VGLevelTrainer& trainer) override;
  void DoDeserialize(SCore::SDeserializator& reader) override;

  float X = 0.0f;
  float Y = 0.0f;
};

}  // namespace Vellgrove
