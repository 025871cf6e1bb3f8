#pragma once

#include "VGLevelTrainerCommand.h"

#include <string>

namespace Vellgrove {

// Shows the text in the bubble beside the teacher.
class VGLevelTrainerCommandShowToolTip : public VGLevelTrainerCommand {
 public:
  void Execute(VGLevelTrainer& trainer) override;
  void DoDeserialize(SCore::SDeserializator& reader) override;

  std::wstring Text;
};

}  // namespace Vellgrove
