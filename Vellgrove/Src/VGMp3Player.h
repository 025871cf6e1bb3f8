#pragma once

#include "SThread.h"
#include "TSafeData.h"
#include "VGLockGuard.h"

#include "Platform/Win32Types.h"

#include <atomic>
#include <string>

namespace Vellgrove {

class VGMusicGraph;

// Plays one music file at a time, looping it, on a thread of its own that owns the media graph.
// The game only asks: Play a file, StopImmediately, FadeOut over 1000 ms, Resume the stored file,
// and writes the volume. A track that cannot be played is logged once per request and tried
// again every 100 ms while it is asked for.
class VGMp3Player : public KorvexEngine::SThread {
 public:
  VGMp3Player();
  // Stops the track, ends a fade at once and waits until the thread body has returned.
  ~VGMp3Player() override;

  void Run() override;

  // Waits 200 ms, so that the thread sees a stop or fade asked just before, then asks for the
  // file. A track already playing goes on: the owner stops or fades it first.
  void Play(const std::string& fileName);
  // The track stops within about 100 ms, without a fade.
  void StopImmediately();
  // The track fades to silence over 1000 ms and stops; then waits 200 ms. Dropped when no track plays.
  void FadeOut();
  // Asks again for the file last asked for; it plays from its start.
  void Resume();
  bool IsAlive() const { return m_isAlive != 0; }

  // Music volume 0.0 to 1.0, read on every turn of the play loop.
  std::atomic<float> m_volume{0.0f};
  // Kept for the owner's pause on focus loss; the player never reads them.
  std::atomic<bool> m_isPaused{false};
  std::atomic<float> m_savedVolume{0.0f};

 private:
  // Set by Start: the player counts as running from its start until its body returns.
  std::atomic<int>* RunningFlag() override { return &m_isAlive; }
  // The file asked for and the number of the request, when one stands.
  bool TakeRequest(std::string& fileName, unsigned& request);
  bool IsRequested();
  void PlayRequests();
  // False when no graph can be made: the thread then ends.
  bool PlayTrack(const std::string& fileName, unsigned request);
  // Keeps the track at the volume's level, from its start again at its end, while it is asked for.
  void LoopWhileRequested(VGMusicGraph& graph);
  // A straight line from the volume's level down to silence over the fade's duration.
  void FadeToSilence(VGMusicGraph& graph);
  void ReportUnplayable(const std::string& fileName, unsigned request);

  VGLockGuard m_requestLock;
  bool m_playRequested = false;
  std::string m_fileName;
  unsigned m_requestNumber = 0;
  KorvexEngine::TSafeData<bool> m_isFading;
  std::atomic<DWORD> m_fadeDuration{0};
  std::atomic<DWORD> m_fadeStart{0};
  // Set from construction, so that a destructor right after Start still ends the thread; cleared
  // only by the destructor.
  std::atomic<bool> m_isRunning{true};
  std::atomic<int> m_isAlive{0};
  unsigned m_lastReported = 0;
};

}  // namespace Vellgrove
