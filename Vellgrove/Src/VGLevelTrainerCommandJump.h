#pragma once

#include "VGLevelTrainerCommand.h"

#include <string>

namespace Vellgrove {

// Makes the command of that ID current.
class VGLevelTrainerCommandJump : public VGLevelTrainerCommand {
 public:
  void Execute(VGLevelTrainer& trainer) override;
  void DoDeserialize(SCore::SDeserializator& reader) override;

  std::string CommandID;
};

}  // namespace Vellgrove
