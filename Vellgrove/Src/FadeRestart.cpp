#include "FadeRestart.h"

#include "Platform/MMSystem.h"

namespace Vellgrove {

namespace {

const int kPlayOnce = 2;

}  // namespace

void RestartFade(KorvexEngine::SSpriteTransition& fade, int mode) {
  fade.Mode = mode;
  fade.State = kPlayOnce;
  fade.StartTime = fade.CurrentTime = fade.PreviousTime = timeGetTime();
}

}  // namespace Vellgrove
