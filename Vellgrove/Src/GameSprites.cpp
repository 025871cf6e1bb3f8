#include "GameSprites.h"

#include "STextureAnimatorFrame.h"
#include "TexelCentre.h"
#include "VGSpriteCreator.h"

#include <string>

namespace Vellgrove {

namespace {

struct Look {
  const char* name;
  const char* texture;
  bool withTransform;
  float x, y, width, height;
};

boost::shared_ptr<KorvexEngine::SSprite> Make(const Look& look) {
  const boost::shared_ptr<KorvexEngine::SSprite> sprite =
      VGSpriteCreator::CreateTexturedSprite(look.texture, look.withTransform ? 1 : 0);
  sprite->Name = look.name;
  sprite->Material.Filtration1->IsTrilinear = true;
  sprite->SetPosition(look.x, look.y);
  sprite->SetSize(look.width, look.height);
  return sprite;
}

}  // namespace

void AnimateSheet(KorvexEngine::SSprite& sprite, const std::string& name, unsigned int columns, unsigned int rows,
                  float speed, const SCore::SRect& indent) {
  const boost::shared_ptr<SCore::STextureAnimatorFrame> animator(
      new SCore::STextureAnimatorFrame(name, columns, rows));
  animator->AnimationSpeed = speed;
  animator->Indent = indent;
  animator->SetTexture(sprite.Material.Texture1);
  sprite.Material.Texture1->UseTransform = true;
  sprite.Material.Animator1 = animator;
}

GameSprites CreateGameSprites() {
  GameSprites sprites;
  sprites.Cursor = Make({"Cursor", "CURSOR", false, 0, 0, 0.05f, 0.05f});
  sprites.Cursor->Angle = 0.785f;
  for (int i = 0; i < 4; ++i) {
    const std::string number = std::to_string(i + 1);
    const std::string texture = "BAT" + number;
    sprites.Bats[i] = Make({("Bat" + number).c_str(), texture.c_str(), true, 0.91f, 0.01f, 0.09f, 0.09f});
    AnimateSheet(*sprites.Bats[i], texture + "Animator", 6, 3, 16.0f);
  }
  sprites.ArrowLeft = Make({"ArrowLeft", "ARROW", false, 0.12f, 0.48f, 0.07143f, 0.04372f});
  sprites.ArrowLeft->FlipHorizontal = true;
  sprites.ArrowRight = Make({"ArrowRight", "ARROW", false, 0.929f, 0.48f, 0.07143f, 0.04372f});
  sprites.ArrowBottom = Make({"ArrowUp", "ARROW", false, 0.525715f, 0.913f, 0.08743f, 0.03571f});
  sprites.ArrowBottom->Angle = 1.57f;
  sprites.ArrowTop = Make({"ArrowUp", "ARROW", false, 0.525715f, 0.04f, 0.08743f, 0.03571f});
  sprites.ArrowTop->Angle = -1.57f;
  sprites.LifeIcon = Make({"LIFEPOT", "LIFEPOT", false, 0, 0, 0.0126953125f, 0.0169270802f});
  sprites.LifeIcon->TexCoords.Width = sprites.LifeIcon->TexCoords.Height = 0.8125f;
  sprites.GameOver = Make({"GAMEOVER", "GAMEOVER", true, 0, 0, 1, 1});
  sprites.GameOver->TexCoords.Height = 0.75f;
  sprites.Pause = Make({"PAUSE", "PAUSE", true, 0, 0, 0.999f, 0.999f});
  sprites.Pause->TexCoords.Width = 0.875f;
  sprites.Pause->TexCoords.Height = 0.71484375f;
  sprites.Pause->Material.Filtration1->IsTrilinear = false;
  sprites.PressSpace = VGSpriteCreator::CreateTexturedSprite("PRESSSPACEBAR", 1);
  sprites.PressSpace->SetPosition(TexelCentre(0.330566406f, 1024), TexelCentre(0.41796875f, 768));
  sprites.PressSpace->SetSize(0.5f, 0.078125f);
  sprites.PressSpace->TexCoords.Height = 0.9375f;
  return sprites;
}

boost::shared_ptr<KorvexEngine::SSprite> CreateParticleSprite() {
  const boost::shared_ptr<KorvexEngine::SSprite> sprite = Make({"ParticleSprite", "PARTICLE", true, 0, 0, 0.05f, 0.05f});
  AnimateSheet(*sprite, "ParticleAnimator", 6, 6, 16.0f, SCore::SRect{0.0f, 0.0f, 0.9375f, 0.9375f});
  return sprite;
}

}  // namespace Vellgrove
