#include "VGFrame.h"

#include "DrawAsIs.h"
#include "SRenderDevice.h"
#include "GameSprites.h"
#include "STextureAnimator.h"
#include "VGSpriteCreator.h"
#include "srethrow.h"

#include "Platform/MMSystem.h"

#include <cmath>
#include <string>

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGFrame";

struct SpriteLook {
  const char* texture;
  bool withTransform;
  bool alphaBlend;
  bool trilinear;
  float x, y, width, height;
};

boost::shared_ptr<KorvexEngine::SSprite> MakeSprite(const SpriteLook& look) {
  const boost::shared_ptr<KorvexEngine::SSprite> sprite =
      VGSpriteCreator::CreateTexturedSprite(look.texture, look.withTransform ? 1 : 0);
  sprite->Material.AlphaBlend = look.alphaBlend ? 1 : 0;
  sprite->Material.Filtration1->IsTrilinear = look.trilinear;
  sprite->SetPosition(look.x, look.y);
  sprite->SetSize(look.width, look.height);
  return sprite;
}

void DrawDue(const std::vector<VGFrame::TimedSprite>& sprites, unsigned int seconds) {
  for (const VGFrame::TimedSprite& entry : sprites) {
    if (entry.first < seconds) DrawAsIs(*entry.second);
  }
}

void AnimateSunEye(KorvexEngine::SSprite& eye) {
  AnimateSheet(eye, "SunAnimator", 2, 8, 12.0f, SCore::SRect{0.0f, 0.0f, 0.546875f, 0.59375f});
}

}  // namespace

VGFrame::VGFrame() : m_startTime(timeGetTime()) {
  KORVEX_TRY
    BuildSprites();
  KORVEX_RETHROW("VGFrame::VGFrame()", kSource)
}

VGFrame::~VGFrame() {
  m_decorations.clear();
  m_tools.clear();
}

void VGFrame::BuildSprites() {
  AddDecoration(MakeSprite({"BOTTOMBAR", false, false, false, 0.11f, 0.953125f, 0.89f, 0.046875f}));
  const boost::shared_ptr<KorvexEngine::SSprite> leftBar = MakeSprite({"LEFTBAR", false, true, false, 0, 0, 0.132f, 1.0f});
  leftBar->TexCoords.Height = 0.75f;
  AddDecoration(leftBar);
  const boost::shared_ptr<KorvexEngine::SSprite> upper =
      MakeSprite({"BOLVANLU", true, true, true, 0.0209960938f, 0.389973968f, 0.064453125f, 0.12109375f});
  AnimateSheet(*upper, "BolvanLUAnimator", 4, 4, 7.0f, SCore::SRect{0.0f, 0.01f, 1.0f, 0.740234375f});
  AddDecoration(upper);
  const boost::shared_ptr<KorvexEngine::SSprite> lower =
      MakeSprite({"BOLVANLD", true, true, true, 0.024288f, 0.862f, 0.067f, 0.138f});
  AnimateSheet(*lower, "BolvanLDAnimator", 4, 4, 8.0f, SCore::SRect{0.0f, 0.0f, 1.0f, 0.859375f});
  AddDecoration(lower);
  const boost::shared_ptr<KorvexEngine::SSprite> score = VGSpriteCreator::CreateTexturedSprite("SCORESMALL", 0);
  score->SetPosition(0.68f, 0.965f);
  score->SetSize(0.0625f, 0.0416667f);
  AddDecoration(score);
  m_sun = MakeSprite({"SUN", false, true, false, 0.125f, 0.0f, 0.29296875f, 0.1119791567f});
  m_sun->TexCoords.Width = 0.5859375f;
  m_sun->TexCoords.Height = 0.671875f;
  m_sunEyeLeft = MakeSprite({"SUNEYEL", true, true, true, 0.138f, 0.0f, 0.068f, 0.025f});
  AnimateSunEye(*m_sunEyeLeft);
  m_sunEyeRight = MakeSprite({"SUNEYEL", true, true, true, 0.233f, 0.0f, 0.069f, 0.029f});
  m_sunEyeRight->FlipHorizontal = true;
  AnimateSunEye(*m_sunEyeRight);
  // The right eye runs its blink backwards from three quarters of the way: the eyes never move alike.
  m_sunEyeRight->Material.Animator1->Inverse = true;
  m_sunEyeRight->Material.Animator1->StartPhase = 0.75f;
  const boost::shared_ptr<SCore::SRenderDevice> device = VGSpriteCreator::GetRenderDevice()->GetRenderDevice();
  const float width = float(device->GetWidth());
  const float height = float(device->GetHeight());
  m_levelViewport.X = static_cast<unsigned int>(std::trunc(0.125f * width));
  m_levelViewport.Width = static_cast<unsigned int>(std::trunc(0.875f * width));
  m_levelViewport.Height = static_cast<unsigned int>(std::trunc(0.953125f * height));
}

void VGFrame::AddDecoration(const boost::shared_ptr<KorvexEngine::SSprite>& sprite) {
  m_decorations.push_back(TimedSprite(0, sprite));
}

void VGFrame::AddTool(const std::string& toolName) {
  KORVEX_TRY
    const std::string texture = "SPELL" + toolName.substr(5);
    const float x = float(double(float(m_tools.size()) * 0.075f) + double(0.188f));
    const boost::shared_ptr<KorvexEngine::SSprite> icon =
        MakeSprite({texture.c_str(), true, true, false, x, 0.915f, 0.072f, 0.086f});
    m_tools.push_back(TimedSprite(0, icon));
  KORVEX_RETHROW("VGFrame::AddTool()", kSource)
}

void VGFrame::Render() {
  KORVEX_TRY
    const unsigned int seconds = (timeGetTime() - m_startTime) / 1000;
    DrawDue(m_decorations, seconds);
    DrawDue(m_tools, seconds);
    for (const auto* text : {&m_timeText, &m_levelNameText, &m_scoreText}) {
      if (*text) DrawAsIs(**text);
    }
    RenderLives();
    if (m_showSun) {
      for (const auto* sprite : {&m_sun, &m_sunEyeLeft, &m_sunEyeRight}) DrawAsIs(**sprite);
    }
  KORVEX_RETHROW("VGFrame::Render()", kSource)
}

void VGFrame::RenderLives() {
  if (!m_lifeIcon) return;
  if (m_lives < 8) {
    for (int i = 0; i < m_lives; ++i) {
      m_lifeIcon->SetPosition(m_lifeIcon->Position.Width * float(i) + 0.005f, 0.21f);
      DrawAsIs(*m_lifeIcon);
    }
    return;
  }
  m_lifeIcon->SetPosition(0.005f, 0.21f);
  DrawAsIs(*m_lifeIcon);
  if (!m_livesText) return;
  m_livesText->SetText("x" + std::to_string(m_lives));
  DrawAsIs(*m_livesText);
}

}  // namespace Vellgrove
