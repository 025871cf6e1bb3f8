#include "STextureFontTransition.h"

#include "FadeTimeCheck.h"
#include "SFadeCurve.h"

namespace KorvexEngine {

STextureFontTransition::STextureFontTransition(float fadeTime) : m_fadeTime(CheckedFadeTime(fadeTime)) {}

STextureFontTransition::~STextureFontTransition() { Font.reset(); }

int STextureFontTransition::AlphaOfMode(float sine) const {
  switch (Mode) {
    case FadingOut:
      return int(255.0f - 255.0f * sine);
    case FadingIn:
      return int(255.0f * sine);
    case FadedOut:
      return 0;
    default:
      return 255;
  }
}

// The glyphs are rebuilt with the new alpha at the next draw, so the fade shows on its own.
void STextureFontTransition::DoUpdate(DWORD elapsedMilliseconds) {
  const float sine = AdvanceFade(elapsedMilliseconds, m_fadeTime, Mode);
  if (!Font) return;
  Font->Color[0] = BYTE(AlphaOfMode(sine) & 0xFF);
  Font->CacheValid = false;
}

}  // namespace KorvexEngine
