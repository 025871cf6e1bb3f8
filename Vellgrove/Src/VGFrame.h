#pragma once

#include "SSprite.h"
#include "STextureFont.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <utility>
#include <vector>

namespace Vellgrove {

// The frame around a running level: the bottom and left bars with their two figures, the sun and
// its eyes, the icons of the level's spells, the time, the level's name, the lives and the score.
// It also holds the rectangle of the screen, in pixels, that the level is drawn into.
class VGFrame {
 public:
  // Shown once more whole seconds than the time have passed since the frame was made.
  using TimedSprite = std::pair<unsigned int, boost::shared_ptr<KorvexEngine::SSprite>>;
  struct Viewport {
    unsigned int X = 0;
    unsigned int Y = 0;
    unsigned int Width = 0;
    unsigned int Height = 0;
    float MinZ = 0.0f;
    float MaxZ = 1.0f;
  };

  VGFrame();
  virtual ~VGFrame();
  VGFrame(const VGFrame&) = delete;
  VGFrame& operator=(const VGFrame&) = delete;

  void AddDecoration(const boost::shared_ptr<KorvexEngine::SSprite>& sprite);
  // The icon of a tool type name ("VGTT_WALL" shows SPELLWALL), after the icons already there.
  void AddTool(const std::string& toolName);
  void Render();

  std::vector<TimedSprite> m_decorations;
  unsigned int m_startTime;
  Viewport m_levelViewport;
  std::vector<TimedSprite> m_tools;
  boost::shared_ptr<KorvexEngine::STextureFont> m_timeText;
  boost::shared_ptr<KorvexEngine::STextureFont> m_levelNameText;
  boost::shared_ptr<KorvexEngine::STextureFont> m_livesText;
  boost::shared_ptr<KorvexEngine::STextureFont> m_scoreText;
  int m_lives = 0;
  int m_actorCount = 0;
  boost::shared_ptr<KorvexEngine::SSprite> m_lifeIcon;
  boost::shared_ptr<KorvexEngine::SSprite> m_sun;
  boost::shared_ptr<KorvexEngine::SSprite> m_sunEyeLeft;
  boost::shared_ptr<KorvexEngine::SSprite> m_sunEyeRight;
  bool m_showSun = true;

 private:
  void BuildSprites();
  void RenderLives();
};

}  // namespace Vellgrove
