// Starting and settling the fades of the game's sprites.
#pragma once

namespace KorvexEngine {
class SSpriteTransition;
}  // namespace KorvexEngine

namespace Vellgrove {

// Starts fading in (FadingIn) or out (FadingOut) from now.
void StartFade(KorvexEngine::SSpriteTransition& fade, int mode);
// Puts the fade at its end (FadedIn or FadedOut) and gives its sprite that strength at once.
void SettleFade(KorvexEngine::SSpriteTransition& fade, int mode);

}  // namespace Vellgrove
