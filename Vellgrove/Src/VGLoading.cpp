#include "VGLoading.h"

#include "STextureAnimatorFrame.h"
#include "VGSpriteCreator.h"
#include "smath_matrix.h"
#include "srethrow.h"

#include <string>

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGLoading";

void Place(KorvexEngine::SSprite& sprite, const SCore::SRect& position, const SCore::SRect& texCoords) {
  sprite.Position = position;
  sprite.TexCoords = texCoords;
  sprite.CacheValid = false;
}

// Back and fill of the bar lie on one another; the fill's width and right texture edge follow the
// bar's fraction.
const SCore::SRect kBarPosition{0.27587890625f, 0.4680989683f, 0.4619140625f, 0.078125f};
const SCore::SRect kBarTexCoords{0.0f, 0.0f, 0.931640625f, 0.921875f};

}  // namespace

VGLoading::VGLoading() {
  KORVEX_TRY
    Init();
  KORVEX_RETHROW("VGLoading::VGLoading()", kSource)
}

VGLoading::~VGLoading() = default;

void VGLoading::Init() {
  m_backgroundTexture = LoadPicture("background", "background.dds");
  m_animationTexture = LoadPicture("animation", "animation.dds");
  m_activeTexture = LoadPicture("active", "active.dds");
  m_passiveTexture = LoadPicture("passive", "passive.dds");

  m_backgroundSprite = CreatePictureSprite(m_backgroundTexture);
  Place(*m_backgroundSprite, {0.0f, 0.0f, 0.99f, 0.99f}, {0.0f, 0.0f, 1.0f, 0.75f});
  CreateAnimationSprite();
  CreateProgressBar();
}

boost::shared_ptr<SCore::STexture> VGLoading::LoadPicture(const char* name, const char* file) {
  const boost::shared_ptr<SCore::SViewport> viewport = VGSpriteCreator::GetRenderDevice();
  const boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture(name);
  texture->Load(viewport->GetRenderDevice(), std::string("Loading\\") + file);
  return texture;
}

boost::shared_ptr<KorvexEngine::SSprite> VGLoading::CreatePictureSprite(
    const boost::shared_ptr<SCore::STexture>& texture) {
  const boost::shared_ptr<KorvexEngine::SSprite> sprite = VGSpriteCreator::CreateSprite(1);
  VGSpriteCreator::ShowTexture(*sprite, texture);
  return sprite;
}

void VGLoading::CreateAnimationSprite() {
  m_animationSprite = CreatePictureSprite(m_animationTexture);
  Place(*m_animationSprite, {0.56005859375f, 0.615234375f, 0.125f, 0.1666666716f}, {0.0f, 0.0f, 1.0f, 1.0f});
  const boost::shared_ptr<SCore::STextureAnimatorFrame> animator(new SCore::STextureAnimatorFrame("AnimAnimator", 4, 4));
  animator->AnimationSpeed = -20.0f;
  animator->SetTexture(m_animationTexture);
  m_animationSprite->Material.Animator1 = animator;
  m_animationTexture->UseTransform = true;
}

void VGLoading::CreateProgressBar() {
  m_progressBar.reset(new KorvexEngine::SProgressBar);
  m_progressBar->Create(VGSpriteCreator::GetRenderDevice());
  VGSpriteCreator::ShowTexture(m_progressBar->BackSprite, m_passiveTexture);
  VGSpriteCreator::ShowTexture(m_progressBar->FillSprite, m_activeTexture);
  Place(m_progressBar->BackSprite, kBarPosition, kBarTexCoords);
  Place(m_progressBar->FillSprite, kBarPosition, kBarTexCoords);
  m_progressBar->Progress = 0.0f;
  m_progressBar->Update();
}

void VGLoading::Render() {
  KORVEX_TRY
    const SCore::SMatrix identity = SCore::SMatrixIdentity();
    m_backgroundSprite->Render(&identity);
    m_animationSprite->Render(&identity);
    m_progressBar->DoRender();
  KORVEX_RETHROW("VGLoading::Render()", kSource)
}

}  // namespace Vellgrove
