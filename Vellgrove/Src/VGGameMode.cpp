#include "VGGameMode.h"

#include "SEngineException.h"
#include "TScopedLock.h"
#include "VGGameModes.h"
#include "srethrow.h"

#include <string>

namespace Vellgrove {

namespace {
const char* const kSourcePath = "..\\Src\\VGGameMode";
}

using Guard = KorvexEngine::TScopedLock<VGLockGuard>;

VGGameMode::VGGameMode(const boost::shared_ptr<Fader>& fader, float fadeTime)
    : m_fader(fader),
      m_current(VGGM_SPLASH),
      m_pending(VGGM_SPLASH),
      m_previous(VGGM_SPLASH),
      m_fadeTime(fadeTime),
      m_changed(true) {
  KORVEX_TRY
    if (!m_fader) throw KorvexEngine::SEngineException("the game mode needs a fader");
    m_fader->FadeOut(m_fadeTime);
  KORVEX_RETHROW("VGGameMode::VGGameMode()", kSourcePath)
}

VGGameMode::~VGGameMode() = default;

void VGGameMode::ChangeMode(int newMode) {
  KORVEX_TRY
    if (!IsGameMode(newMode)) {
      throw KorvexEngine::SEngineException(("unknown game mode:" + std::to_string(newMode)).c_str());
    }
    Guard hold(m_lock);
    m_pending = newMode;
    m_fader->FadeIn(m_fadeTime);
  KORVEX_RETHROW("VGGameMode::ChangeMode()", kSourcePath)
}

void VGGameMode::Update() {
  KORVEX_TRY
    Guard hold(m_lock);
    m_fader->Update();
    if (m_fader->GetState() != Fader::BLACK) return;
    if (m_current != m_pending) {
      SwitchToPending();
    } else {
      // Only a request for the mode already shown gets here: without this the screen stays black.
      m_fader->FadeOut(m_fadeTime);
    }
  KORVEX_RETHROW("VGGameMode::Update()", kSourcePath)
}

void VGGameMode::SwitchToPending() {
  m_previous = m_current.load();
  m_current = m_pending.load();
  m_fader->FadeOut(m_fadeTime);
  m_changed = true;
}

int VGGameMode::GetPending() {
  Guard hold(m_lock);
  return m_pending;
}

}  // namespace Vellgrove
