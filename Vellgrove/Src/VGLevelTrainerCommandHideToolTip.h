#pragma once

#include "VGLevelTrainerCommand.h"

namespace Vellgrove {

// Fades the bubble out.
class VGLevelTrainerCommandHideToolTip : public VGLevelTrainerCommand {
 public:
  void Execute(VGLevelTrainer& trainer) override;
  void DoDeserialize(SCore::SDeserializator& reader) override;
};

}  // namespace Vellgrove
