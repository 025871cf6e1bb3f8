#include "VGLevelTrainerCommandShowSprite.h"

#include "SDeserializator.h"
#include "VGLevelTrainer.h"
#include "VGSpriteCreator.h"

namespace Vellgrove {

namespace {

const float kFadeMilliseconds = 500.0f;
const int kModulate = 4;

}  // namespace

void VGLevelTrainerCommandShowSprite::DoDeserialize(SCore::SDeserializator& reader) {
  DeserializeID(reader);
  Sprite = VGSpriteCreator::CreateSprite(1);
  Sprite->DoDeserialize(reader);
  // The fade writes vertex alpha, which shows only when it modulates the texture's.
  Sprite->Material.AlphaOp = kModulate;
  Transition.reset(new KorvexEngine::SSpriteTransition(kFadeMilliseconds));
  Transition->Sprite = Sprite;
  reader.DoDeserialize("Name", Name);
}

void VGLevelTrainerCommandShowSprite::Execute(VGLevelTrainer& trainer) {
  trainer.ShowSprite(Name, Transition, Sprite);
  trainer.Advance();
  VGLevelTrainer::FadeIn(*Transition);
}

}  // namespace Vellgrove
