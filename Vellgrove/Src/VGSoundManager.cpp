#include "VGSoundManager.h"

#include "SEngineException.h"
#include "srethrow.h"

#include <cmath>
#include <limits>

namespace Vellgrove {

boost::shared_ptr<VGSoundManager> g_SoundManager;

namespace {

const char* const kSource = "..\\Src\\VGSoundManager";

// Hundredths of a decibel: 1.0 is 0 (full level), 0.5 is -5000, 0.0 is -10000 (silence). A volume
// far outside the range stays outside it, for the platform to refuse.
LONG LevelOfVolume(float volume) {
  const float level = std::trunc((1.0f - volume) * -10000.0f);
  if (!(level > static_cast<float>(std::numeric_limits<LONG>::min()))) return std::numeric_limits<LONG>::min();
  if (level >= static_cast<float>(std::numeric_limits<LONG>::max())) return std::numeric_limits<LONG>::max();
  return static_cast<LONG>(level);
}

}  // namespace

VGSoundManager::VGSoundManager(HWND window) : m_window(window) {}

VGSoundManager::~VGSoundManager() = default;

const VGSoundManager::Voices& VGSoundManager::GetVoices(const std::string& name) {
  const auto found = m_sounds.find(name);
  if (found == m_sounds.end()) throw KorvexEngine::SEngineException(("unknown sound name:" + name).c_str());
  return found->second;
}

void VGSoundManager::AddSound(const std::string& name, const std::string& file, DWORD count) {
  const std::string context = "VGSoundManager::AddSound() sound \"" + name + "\" file \"" + file + "\"";
  KORVEX_TRY
    Voices voices;
    for (DWORD i = 0; i < count; ++i) {
      boost::shared_ptr<VGSoundBuffer> voice(new VGSoundBuffer);
      voice->Create(m_window, file);
      voices.push_back(voice);
    }
    m_sounds[name].swap(voices);
  KORVEX_RETHROW(context.c_str(), kSource)
}

void VGSoundManager::PlaySound(const std::string& name) {
  KORVEX_TRY
    for (const boost::shared_ptr<VGSoundBuffer>& voice : GetVoices(name)) {
      if (voice->IsPlaying()) continue;
      voice->SetVolume(LevelOfVolume(m_volume));
      voice->Play();
      return;
    }
  KORVEX_RETHROW("VGSoundManager::PlaySound()", kSource)
}

bool VGSoundManager::IsPlaying(const std::string& name) {
  KORVEX_TRY
    bool playing = false;
    for (const boost::shared_ptr<VGSoundBuffer>& voice : GetVoices(name)) playing = voice->IsPlaying() || playing;
    return playing;
  KORVEX_RETHROW("VGSoundManager::IsPlaying()", kSource)
}

void VGSoundManager::StopSound(const std::string& name) {
  for (const boost::shared_ptr<VGSoundBuffer>& voice : GetVoices(name)) voice->Stop();
}

}  // namespace Vellgrove
