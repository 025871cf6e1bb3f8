#pragma once

#include "VGLevelTrainerCommand.h"

namespace Vellgrove {

// Shows the pulsing arrow at (X, Y) turned by Angle radians.
class VGLevelTrainerCommandShowArrow : public VGLevelTrainerCommand {
 public:
  void Execute(VGLevelTrainer& trainer) override;
  void DoDeserialize(SCore::SDeserializator& reader) override;

  float X = 0.0f;
  float Y = 0.0f;
  float Angle = 0.0f;
};

}  // namespace Vellgrove
