#include "Fader.h"

#include "BlackTexels.h"

#include "STexture.h"
#include "smath_matrix.h"
#include "srethrow.h"

#include "Platform/MMSystem.h"

#include <algorithm>
#include <string>

namespace Vellgrove {

namespace {

const char* const kSourcePath = "..\\Src\\Fader";
const char* const kTextureName = "BLACK";
const int kOpaque = 255;

}  // namespace

Fader::Fader(const boost::shared_ptr<SCore::SViewport>& viewport) : m_viewport(viewport) {
  KORVEX_TRY
    m_sprite.reset(new KorvexEngine::SSprite("fader sprite", false));
    m_sprite->m_Viewport = m_viewport;
    m_sprite->DoCreate(m_viewport);
    SCore::SMaterial& material = m_sprite->Material;
    material.Texture1 = m_viewport->GetTextureManager()->GetTexture(kTextureName);
    material.AlphaBlend = 1;
    material.SrcBlend = 5;  // source alpha
    material.DstBlend = 6;  // inverse source alpha
    material.ZWrite = 0;
    m_sprite->CoordAligment = 1;
    m_sprite->SetPosition(0.0f, 0.0f);
    m_sprite->SetSize(0.999f, 0.999f);
  KORVEX_RETHROW("Fader::Fader()", kSourcePath)
}

Fader::~Fader() = default;

void Fader::SetAlpha(int alpha) {
  KORVEX_TRY
    WriteBlackAlpha(*m_sprite->Material.Texture1, alpha);
    m_alpha = alpha;
  KORVEX_RETHROW("Fader::SetAlpha()", kSourcePath)
}

void Fader::FadeIn(float seconds) {
  KORVEX_TRY
    Start(seconds, FADING_TO_BLACK, kOpaque - m_maxAlpha);
  KORVEX_RETHROW("Fader::FadeIn()", kSourcePath)
}

void Fader::FadeOut(float seconds) {
  KORVEX_TRY
    Start(seconds, FADING_FROM_BLACK, kOpaque);
  KORVEX_RETHROW("Fader::FadeOut()", kSourcePath)
}

void Fader::Start(float seconds, State state, int startAlpha) {
  m_fadeTime = seconds;
  m_startTime = timeGetTime();
  m_state = state;
  SetAlpha(startAlpha);
}

float Fader::SecondsSinceStart() const { return float(DWORD(timeGetTime() - m_startTime) * 0.001); }

int Fader::AlphaOf(float share) const { return int((kOpaque - m_maxAlpha) + double(m_maxAlpha) * share); }

void Fader::Update() {
  KORVEX_TRY
    const int state = m_state;
    if (state == FADING_TO_BLACK) {
      const float t = SecondsSinceStart();
      Advance(t, t / m_fadeTime, kOpaque, BLACK);
    } else if (state == FADING_FROM_BLACK) {
      const float t = SecondsSinceStart();
      Advance(t, (m_fadeTime - t) / m_fadeTime, kOpaque - m_maxAlpha, CLEAR);
    }
  KORVEX_RETHROW("Fader::Update()", kSourcePath)
}

void Fader::Advance(float t, float share, int finalAlpha, State finalState) {
  if (t < m_fadeTime) {
    SetAlpha(AlphaOf(share));
    return;
  }
  SetAlpha(finalAlpha);
  m_state = finalState;
}

void Fader::Render() {
  KORVEX_TRY
    const SCore::SMatrix identity = SCore::SMatrixIdentity();
    m_sprite->Render(&identity);
  KORVEX_RETHROW("Fader::Render()", kSourcePath)
}

}  // namespace Vellgrove
