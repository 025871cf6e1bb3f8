#pragma once

#include "SSprite.h"
#include "SViewport.h"

#include "Platform/Win32Types.h"

#include <boost/shared_ptr.hpp>

#include <atomic>

namespace Vellgrove {

// The full-screen black overlay that hides every change of game mode. It darkens and lightens by
// writing the alpha into the first texels of the texture "BLACK", never into the sprite's colours.
// The game mode calls the fades and Update under its lock; the state is read from any thread.
class Fader {
 public:
  enum State { BLACK = 0, CLEAR = 1, FADING_TO_BLACK = 2, FADING_FROM_BLACK = 3 };

  explicit Fader(const boost::shared_ptr<SCore::SViewport>& viewport);
  virtual ~Fader();
  Fader(const Fader&) = delete;
  Fader& operator=(const Fader&) = delete;

  // Starts fading to black from the clear look over the given seconds, whatever the state.
  void FadeIn(float seconds);
  // Starts fading from black to clear over the given seconds, whatever the state.
  void FadeOut(float seconds);
  void Update();
  void Render();

  int GetState() const { return m_state; }
  int GetAlpha() const { return m_alpha; }
  const boost::shared_ptr<KorvexEngine::SSprite>& GetSprite() const { return m_sprite; }

 private:
  // Writes black with alpha a into the texels of "BLACK" that the overlay samples.
  void SetAlpha(int alpha);
  // Restarts the timing and shows the fade's first alpha at once.
  void Start(float seconds, State state, int startAlpha);
  float SecondsSinceStart() const;
  // truncate((255 - maxAlpha) + maxAlpha x share), the sum in double precision.
  int AlphaOf(float share) const;
  // Before the fade time: the alpha of the share; at or after it: the fade's end.
  void Advance(float t, float share, int finalAlpha, State finalState);

  boost::shared_ptr<SCore::SViewport> m_viewport;
  boost::shared_ptr<KorvexEngine::SSprite> m_sprite;
  std::atomic<int> m_state{BLACK};
  DWORD m_startTime = 0;
  float m_fadeTime = 0.0f;
  int m_maxAlpha = 255;
  std::atomic<int> m_alpha{0};
};

}  // namespace Vellgrove
