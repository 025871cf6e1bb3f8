#pragma once

#include "SSprite.h"
#include "SSpriteTransition.h"
#include "VGLevelTrainerCommand.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace Vellgrove {

// Puts its sprite into the trainer's table under its name, replacing an earlier one of that name,
// and fades it in.
class VGLevelTrainerCommandShowSprite : public VGLevelTrainerCommand {
 public:
  void Execute(VGLevelTrainer& trainer) override;
  // The sprite from the child "Sprite", then "Name".
  void DoDeserialize(SCore::SDeserializator& reader) override;

  std::string Name;
  boost::shared_ptr<KorvexEngine::SSprite> Sprite;
  boost::shared_ptr<KorvexEngine::SSpriteTransition> Transition;
};

}  // namespace Vellgrove
