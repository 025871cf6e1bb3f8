#pragma once

#include "SAnimator.h"
#include "SSprite.h"

#include <boost/shared_ptr.hpp>

namespace KorvexEngine {

// Fades a sprite's four corner colours between MinAlpha and MaxAlpha over the fade time. The owner
// starts a fade by setting Mode to 1 (in) or 0 (out) and restarting the clock.
class SSpriteTransition : public SCore::SAnimator {
 public:
  // fadeTime in milliseconds, greater than 0.
  explicit SSpriteTransition(float fadeTime);
  ~SSpriteTransition() override;

  void DoUpdate(DWORD elapsedMilliseconds) override;

  boost::shared_ptr<SSprite> Sprite;
  float m_fadeTime;
  int Mode = 3;
  float MinAlpha = 0.0f;
  float MaxAlpha = 1.0f;

 private:
  int AlphaOfMode(float sine) const;
};

}  // namespace KorvexEngine
