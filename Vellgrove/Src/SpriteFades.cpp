#include "SpriteFades.h"

#include "SSpriteTransition.h"

#include "Platform/MMSystem.h"

namespace Vellgrove {

void StartFade(KorvexEngine::SSpriteTransition& fade, int mode) {
  fade.State = 0;
  fade.StartTime = fade.CurrentTime = timeGetTime();
  fade.Mode = mode;
}

void SettleFade(KorvexEngine::SSpriteTransition& fade, int mode) {
  fade.Mode = mode;
  fade.Update();
}

}  // namespace Vellgrove
