#include "VGFinalCut.h"

#include "FadeRestart.h"
#include "SFadeCurve.h"
#include "STextureFiltration.h"
#include "VGSpriteCreator.h"

#include "smath_matrix.h"
#include "srethrow.h"

#include "Platform/MMSystem.h"

#include <cmath>
#include <string>

namespace Vellgrove {

using KorvexEngine::SSprite;
using KorvexEngine::SSpriteTransition;

namespace {

const char* const kSource = "..\\Src\\VGFinalCut";
const float kFadeMilliseconds = 4000.0f;
const int kModulate = 4;
const float kSecondPictureTop = 0.0865885391831398f;  // 66.5 of 768 rows
const DWORD kPictureFadesInBefore = 5000;
const DWORD kSecondPictureFrom = 46001;
const DWORD kSecondPictureTo = 49999;

struct SpriteLayout {
  const char* texture;
  float x, y, width, height;
  SCore::SRect texCoords;  // left, top, right, bottom
};

const SpriteLayout kPicture{"FINALCUT", 0.0f, 0.0f, 0.99f, 0.99f, {0.0f, 0.0f, 1.0f, 0.75f}};
const SpriteLayout kText{"FINALTEXT", 0.25f, 0.999f, 0.5f, 0.666667f, {0.0f, 0.0f, 1.0f, 1.0f}};
const SpriteLayout kText2{"FINALTEXT2", 0.26497397f, 0.40950522f, 0.47005209f, 0.18098958f,
                          {0.0f, 0.0f, 0.705078125f, 0.54296875f}};
const SpriteLayout kText3{"FINALTEXT3", 0.33300781f, 0.45963541f, 0.33398438f, 0.0807292f,
                          {0.0f, 0.0f, 0.66796875f, 0.96875f}};

boost::shared_ptr<SCore::STexture> TextureNamed(const std::string& name) {
  return VGSpriteCreator::GetRenderDevice()->GetTextureManager()->GetTexture(name);
}

boost::shared_ptr<SSprite> MakeSprite(const SpriteLayout& layout) {
  const boost::shared_ptr<SSprite> sprite = VGSpriteCreator::CreateSprite(1);
  SCore::SMaterial& material = sprite->Material;
  material.Texture1 = TextureNamed(layout.texture);
  material.AlphaBlend = 1;
  material.ZWrite = 0;
  sprite->CoordAligment = 1;
  sprite->SetPosition(layout.x, layout.y);
  sprite->SetSize(layout.width, layout.height);
  sprite->TexCoords = layout.texCoords;
  return sprite;
}

// Source alpha over the picture.
void BlendOver(SSprite& sprite) {
  sprite.Material.SrcBlend = 5;
  sprite.Material.DstBlend = 6;
}

boost::shared_ptr<SSpriteTransition> FadeOf(const boost::shared_ptr<SSprite>& sprite) {
  boost::shared_ptr<SSpriteTransition> fade(new SSpriteTransition(kFadeMilliseconds));
  fade->Sprite = sprite;
  fade->Mode = KorvexEngine::FadedOut;
  return fade;
}

void Draw(SSprite& sprite) {
  const SCore::SMatrix identity = SCore::SMatrixIdentity();
  sprite.Render(&identity);
}

}  // namespace

// One step of the timeline: within its window (both ends included), when its fade stands in the
// given state, the fade is restarted the other way; a minimum alpha, when given, is set first.
struct VGFinalCut::Step {
  DWORD from;
  DWORD to;
  boost::shared_ptr<SSpriteTransition> VGFinalCut::*fade;
  int whenMode;
  int restartMode;
  float minAlpha;  // below 0: left as it is
};

const VGFinalCut::Step VGFinalCut::kTimeline[] = {
    {7001, 8999, &VGFinalCut::m_pictureFade, KorvexEngine::FadedIn, KorvexEngine::FadingOut, 0.4f},  // dims
    {24001, 29999, &VGFinalCut::m_pictureFade, KorvexEngine::FadedOut, KorvexEngine::FadingIn, -1.0f},
    {30001, 33999, &VGFinalCut::m_pictureFade, KorvexEngine::FadedIn, KorvexEngine::FadingOut, 0.0f},  // dark
    {34001, 35999, &VGFinalCut::m_text2Fade, KorvexEngine::FadedOut, KorvexEngine::FadingIn, -1.0f},
    {42001, 43999, &VGFinalCut::m_text2Fade, KorvexEngine::FadedIn, KorvexEngine::FadingOut, -1.0f},
    {kSecondPictureFrom, kSecondPictureTo, &VGFinalCut::m_pictureFade, KorvexEngine::FadedOut,
     KorvexEngine::FadingIn, -1.0f},
    {58001, 59999, &VGFinalCut::m_pictureFade, KorvexEngine::FadedIn, KorvexEngine::FadingOut, -1.0f},
    {62001, 63999, &VGFinalCut::m_text3Fade, KorvexEngine::FadedOut, KorvexEngine::FadingIn, -1.0f},
};

VGFinalCut::VGFinalCut() {
  KORVEX_TRY
    CreateSprites();
  KORVEX_RETHROW("VGFinalCut::VGFinalCut()", kSource)
}

VGFinalCut::~VGFinalCut() = default;

void VGFinalCut::CreateSprites() {
  m_picture = MakeSprite(kPicture);
  m_picture->Material.AlphaOp = kModulate;
  m_picture->Material.Filtration1.reset(new SCore::STextureFiltration);
  m_picture->Material.Filtration1->IsBilinear = false;
  m_picture->Material.Filtration1->IsTrilinear = false;
  m_text = MakeSprite(kText);
  BlendOver(*m_text);
  m_text2 = MakeSprite(kText2);
  m_text3 = MakeSprite(kText3);
  for (SSprite* text : {m_text2.get(), m_text3.get()}) {
    BlendOver(*text);
    text->Material.AlphaOp = kModulate;
  }
  m_pictureFade = FadeOf(m_picture);
  m_text2Fade = FadeOf(m_text2);
  m_text3Fade = FadeOf(m_text3);
}

void VGFinalCut::Start() {
  KORVEX_TRY
    ResetShowing();
    m_startTime = timeGetTime();
    m_done = false;
  KORVEX_RETHROW("VGFinalCut::Start()", kSource)
}

// A second showing in the same run would otherwise open on the second picture with the last text.
void VGFinalCut::ResetShowing() {
  m_picture->Material.Texture1 = TextureNamed(kPicture.texture);
  m_picture->SetPosition(kPicture.x, kPicture.y);
  m_pictureFade->MinAlpha = 0.0f;
  for (SSpriteTransition* fade : {m_pictureFade.get(), m_text2Fade.get(), m_text3Fade.get()}) {
    fade->Mode = KorvexEngine::FadedOut;
    fade->Update();
  }
}

void VGFinalCut::Update() {
  KORVEX_TRY
    for (SSpriteTransition* fade : {m_pictureFade.get(), m_text2Fade.get(), m_text3Fade.get()}) fade->Update();
    const DWORD elapsed = timeGetTime() - m_startTime;
    if (elapsed < kPictureFadesInBefore && m_pictureFade->Mode == KorvexEngine::FadedOut) {
      RestartFade(*m_pictureFade, KorvexEngine::FadingIn);
    }
    for (SSprite* sprite : {m_picture.get(), m_text2.get(), m_text3.get()}) Draw(*sprite);
    RunTimeline(elapsed);
    DrawText(elapsed);
  KORVEX_RETHROW("VGFinalCut::Update()", kSource)
}

void VGFinalCut::RunTimeline(DWORD elapsed) {
  for (const Step& step : kTimeline) {
    if (elapsed < step.from || elapsed > step.to) continue;
    if (step.from == kSecondPictureFrom) ShowSecondPicture();
    SSpriteTransition& fade = *(this->*step.fade);
    if (fade.Mode != step.whenMode) continue;
    if (step.minAlpha >= 0.0f) fade.MinAlpha = step.minAlpha;
    RestartFade(fade, step.restartMode);
  }
}

void VGFinalCut::ShowSecondPicture() {
  m_picture->Material.Texture1 = TextureNamed("FINALCUT2");
  m_picture->SetPosition(kPicture.x, kSecondPictureTop);
}

float VGFinalCut::TextTop(DWORD elapsed) {
  float risen = 0.0f;
  if (elapsed > kTextRiseStart && elapsed <= 29999) {
    const float x = float(elapsed);
    if (x < 17000.0f) {
      risen = (x - 7000.0f) / 10000.0f * 0.833f;
    } else if (x > 24000.0f) {
      risen = (x - 24000.0f) / 5000.0f + 0.833f;
    } else {
      risen = 0.833f;
    }
  }
  return std::trunc((1.0f - risen) * 768.0f) / 768.0f - 0.000651041686f;
}

void VGFinalCut::DrawText(DWORD elapsed) {
  m_text->SetPosition(kText.x, TextTop(elapsed));
  m_text->ColorLU = m_text->ColorRU = m_text->ColorLD = m_text->ColorRD = 0xFFFFFFFF;
  m_text->CacheValid = false;
  Draw(*m_text);
}

}  // namespace Vellgrove
