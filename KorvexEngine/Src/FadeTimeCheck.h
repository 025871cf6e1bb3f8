#pragma once

#include "SEngineException.h"

namespace KorvexEngine {

// A fade time of zero, below zero or not a number would make every fraction of the fade undefined.
inline float CheckedFadeTime(float fadeTime) {
  if (!(fadeTime > 0.0f)) throw SEngineException("m_fadeTime > 0");
  return fadeTime;
}

}  // namespace KorvexEngine
