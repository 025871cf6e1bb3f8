#include "Fader.h"

#include "SEngineException.h"
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
// The texels that the overlay's material samples; a narrower texture has fewer in its first row.
const UINT kTexelsWritten = 4;

// Checked under the texture's lock, so that a texture loaded in another format or size is refused
// before a byte is written past its first row.
UINT TexelsToWrite(SCore::STexture& texture) {
  D3DSURFACE_DESC description{};
  if (texture.GetNative() == nullptr || FAILED(texture.GetNative()->GetLevelDesc(0, &description))) {
    throw KorvexEngine::SEngineException("the fader's texture BLACK has no level 0");
  }
  if (description.Format != D3DFMT_A8R8G8B8) {
    const std::string message = "the fader's texture BLACK must be A8R8G8B8 (format 21), not format " +
                                std::to_string(int(description.Format));
    throw KorvexEngine::SEngineException(message.c_str());
  }
  return std::min(kTexelsWritten, description.Width);
}

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
    SCore::STexture& texture = *m_sprite->Material.Texture1;
    D3DLOCKED_RECT locked{};
    texture.DoLockRect(0, &locked, nullptr, 0);
    try {
      const UINT count = TexelsToWrite(texture);
      DWORD* texels = static_cast<DWORD*>(locked.pBits);
      std::fill(texels, texels + count, DWORD(alpha) << 24);
    } catch (...) {
      texture.DoUnlockRect(0);
      throw;
    }
    texture.DoUnlockRect(0);
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
