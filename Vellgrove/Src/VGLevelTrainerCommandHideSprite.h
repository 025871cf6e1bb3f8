#pragma once

#include "VGLevelTrainerCommand.h"

#include <string>

namespace Vellgrove {

// Fades out the sprite of that name, which stays in the table, transparent; an unknown name only advances.
class VGLevelTrainerCommandHideSprite : public VGLevelTrainerCommand {
 public:
  void Execute(VGLevelTrainer& trainer) override;
  void DoDeserialize(SCore::SDeserializator& reader) override;

  std::string Name;
};

}  // namespace Vellgrove
