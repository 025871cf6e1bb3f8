#include "SSpriteTransition.h"

#include "FadeTimeCheck.h"
#include "SFadeCurve.h"

namespace KorvexEngine {

SSpriteTransition::SSpriteTransition(float fadeTime) : m_fadeTime(CheckedFadeTime(fadeTime)) {}

SSpriteTransition::~SSpriteTransition() { Sprite.reset(); }

int SSpriteTransition::AlphaOfMode(float sine) const {
  const float range = MaxAlpha - MinAlpha;
  switch (Mode) {
    case FadingOut:
      return int(255.0f * MaxAlpha - 255.0f * range * sine);
    case FadingIn:
      return int(255.0f * range * sine + 255.0f * MinAlpha);
    case FadedOut:
      return int(255.0f * MinAlpha);
    case FadedIn:
      return int(255.0f * MaxAlpha);
    default:
      return 255;
  }
}

void SSpriteTransition::DoUpdate(DWORD elapsedMilliseconds) {
  const float sine = AdvanceFade(elapsedMilliseconds, m_fadeTime, Mode);
  if (!Sprite) return;
  const DWORD alpha = DWORD(AlphaOfMode(sine) & 0xFF) << 24;
  for (DWORD* colour : {&Sprite->ColorLU, &Sprite->ColorRU, &Sprite->ColorLD, &Sprite->ColorRD})
    *colour = (*colour & 0x00FFFFFF) | alpha;
  Sprite->CacheValid = false;
}

}  // namespace KorvexEngine
