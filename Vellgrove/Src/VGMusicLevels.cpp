#include "VGMusicLevels.h"

#include <cmath>

namespace Vellgrove {

long PlayLevel(float volume) {
  const float spread = 1.0f + (1.0f - volume) * 1.7f;
  const float logarithm = std::log(spread);
  return static_cast<long>(std::trunc(logarithm * -10000.0f));
}

float FadeProgress(DWORD elapsed, DWORD duration) {
  if (duration == 0) return 1.0f;
  return static_cast<float>(static_cast<double>(elapsed) / static_cast<double>(duration));
}

long FadeLevel(float progress, float volume) {
  const float level = (1.0f - progress) * volume;
  return static_cast<long>(std::trunc((level - 1.0f) * 10000.0f));
}

}  // namespace Vellgrove
