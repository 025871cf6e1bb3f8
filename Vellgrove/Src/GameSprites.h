#pragma once

#include "SSprite.h"

#include <boost/shared_ptr.hpp>

#include <array>
#include <string>

namespace Vellgrove {

// The game's own sprites, made once while it loads: the pointer that follows the cursor, the bats
// (held only for their textures' transforms), the scroll hints, the life pot of the frame, and the
// game-over, pause and press-space pictures.
struct GameSprites {
  boost::shared_ptr<KorvexEngine::SSprite> Cursor;
  std::array<boost::shared_ptr<KorvexEngine::SSprite>, 4> Bats;
  boost::shared_ptr<KorvexEngine::SSprite> ArrowLeft;
  boost::shared_ptr<KorvexEngine::SSprite> ArrowRight;
  boost::shared_ptr<KorvexEngine::SSprite> ArrowBottom;
  boost::shared_ptr<KorvexEngine::SSprite> ArrowTop;
  boost::shared_ptr<KorvexEngine::SSprite> LifeIcon;
  boost::shared_ptr<KorvexEngine::SSprite> GameOver;
  boost::shared_ptr<KorvexEngine::SSprite> Pause;
  boost::shared_ptr<KorvexEngine::SSprite> PressSpace;
};

// In the order the game makes them, on the sprite creator's viewport.
GameSprites CreateGameSprites();

// Runs the sprite's texture as a sheet of columns by rows frames within the indent, at speed frames
// a second; every sprite of that texture then draws through the animation's transform.
void AnimateSheet(KorvexEngine::SSprite& sprite, const std::string& name, unsigned int columns, unsigned int rows,
                  float speed, const SCore::SRect& indent = SCore::SRect{0.0f, 0.0f, 1.0f, 1.0f});

// The sparkle drawn along the player's stroke, animated through its sheet.
boost::shared_ptr<KorvexEngine::SSprite> CreateParticleSprite();

}  // namespace Vellgrove
