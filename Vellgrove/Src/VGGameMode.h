#pragma once

#include "Fader.h"
#include "VGLockGuard.h"

#include <boost/shared_ptr.hpp>

#include <atomic>

namespace Vellgrove {

// The game's one current mode. A request fades to black; the switch happens once the screen is
// black, and the new mode fades in. Requests come from the main and the input thread; only Update,
// on the main thread, switches, so the current, previous and changed values are read without the
// lock (they are atomic for the other threads' sake).
class VGGameMode {
 public:
  // Starts in the splash mode, fading in from black.
  VGGameMode(const boost::shared_ptr<Fader>& fader, float fadeTime);
  virtual ~VGGameMode();
  VGGameMode(const VGGameMode&) = delete;
  VGGameMode& operator=(const VGGameMode&) = delete;

  // The last request before the screen is black wins. A request for the current mode fades back
  // in without a switch. A number that is no game mode is refused.
  void ChangeMode(int newMode);
  // Once per frame, from the game's update.
  void Update();

  int GetCurrent() const { return m_current; }
  int GetPrevious() const { return m_previous; }
  // Under the lock, for handlers that must not request twice.
  int GetPending();
  // True after a switch (and after construction) until cleared.
  bool IsChanged() const { return m_changed; }
  void ClearChanged() { m_changed = false; }
  const boost::shared_ptr<Fader>& GetFader() const { return m_fader; }

 private:
  void SwitchToPending();

  boost::shared_ptr<Fader> m_fader;
  std::atomic<int> m_current;
  std::atomic<int> m_pending;
  std::atomic<int> m_previous;
  float m_fadeTime;
  VGLockGuard m_lock;
  std::atomic<bool> m_changed;
};

}  // namespace Vellgrove
