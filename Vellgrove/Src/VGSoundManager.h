#pragma once

#include "VGSoundBuffer.h"

#include "Platform/Win32Types.h"

#include <boost/shared_ptr.hpp>

#include <atomic>
#include <string>
#include <unordered_map>
#include <vector>

namespace Vellgrove {

// Plays sound effects by name. A name has a list of voices; a play takes the first voice that is
// not playing, so a sound with n voices overlaps itself up to n times, and a request finding
// every voice busy is dropped. Sounds are registered while the game loads, before any other
// thread plays one, so the registry itself has no lock.
class VGSoundManager {
 public:
  typedef std::vector<boost::shared_ptr<VGSoundBuffer>> Voices;

  explicit VGSoundManager(HWND window);
  virtual ~VGSoundManager();
  VGSoundManager(const VGSoundManager&) = delete;
  VGSoundManager& operator=(const VGSoundManager&) = delete;

  // Makes count voices of the file, then puts them in place of what the name had; a failure
  // names the sound and the file and leaves the name as it was.
  void AddSound(const std::string& name, const std::string& file, DWORD count);
  void PlaySound(const std::string& name);
  bool IsPlaying(const std::string& name);
  void StopSound(const std::string& name);
  const Voices& GetVoices(const std::string& name);

  // The effects volume, 0.0 (silent) to 1.0 (full level), written by the settings form on the
  // input thread while the game plays sounds. Its first value, 100.0, is above the range: the
  // platform refuses it and a fresh voice plays at full level.
  std::atomic<float> m_volume{100.0f};

 private:
  HWND m_window;
  std::unordered_map<std::string, Voices> m_sounds;
};

// The one sound manager of the process; the game makes it while it loads.
extern boost::shared_ptr<VGSoundManager> g_SoundManager;

}  // namespace Vellgrove
