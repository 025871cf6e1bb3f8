#pragma once

#include <string>

namespace SCore {
class SDeserializator;
}

namespace Vellgrove {

class VGLevelTrainer;

// One command of a tutorial script. The current command runs once per trainer update: an
// immediate one acts and advances, a waiting one stays until its condition holds.
class VGLevelTrainerCommand {
 public:
  virtual ~VGLevelTrainerCommand() = default;
  virtual void Execute(VGLevelTrainer& trainer) = 0;
  // Reads the command's element, its "ID" first.
  virtual void DoDeserialize(SCore::SDeserializator& reader) = 0;

  void DeserializeID(SCore::SDeserializator& reader);

  std::string ID;
};

}  // namespace Vellgrove
