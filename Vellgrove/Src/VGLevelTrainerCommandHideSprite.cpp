#include "VGLevelTrainerCommandHideSprite.h"

#include "SDeserializator.h"
#include "SSpriteTransition.h"
#include "VGLevelTrainer.h"

namespace Vellgrove {

void VGLevelTrainerCommandHideSprite::DoDeserialize(SCore::SDeserializator& reader) {
  DeserializeID(reader);
  reader.DoDeserialize("Name", Name);
}

void VGLevelTrainerCommandHideSprite::Execute(VGLevelTrainer& trainer) {
  const auto found = trainer.m_namedSprites.find(Name);
  if (found != trainer.m_namedSprites.end()) VGLevelTrainer::FadeOut(*found->second.Transition);
  trainer.Advance();
}

}  // namespace Vellgrove
