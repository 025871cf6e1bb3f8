#include "VGSpriteCreator.h"

#include "GlobalObjectOrder.h"
#include "SEngineException.h"
#include "STextureFiltration.h"
#include "srethrow.h"

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGSpriteCreator";

__attribute__((init_priority(VGORDER_SPRITE_CREATOR_VIEWPORT))) boost::shared_ptr<SCore::SViewport> g_spriteViewport;

// A sprite made before the game has handed over its viewport would be bound to nothing.
const boost::shared_ptr<SCore::SViewport>& RequireViewport() {
  if (!g_spriteViewport) {
    throw KorvexEngine::SEngineException("VGSpriteCreator: the viewport is not set; the game sets it when it creates "
                                         "the loading screen");
  }
  return g_spriteViewport;
}

}  // namespace

void VGSpriteCreator::SetViewport(const boost::shared_ptr<SCore::SViewport>& viewport) { g_spriteViewport = viewport; }

boost::shared_ptr<KorvexEngine::SSprite> VGSpriteCreator::CreateSprite(int worldSpace) {
  KORVEX_TRY
    const boost::shared_ptr<SCore::SViewport>& viewport = RequireViewport();
    boost::shared_ptr<KorvexEngine::SSprite> sprite(new KorvexEngine::SSprite("", worldSpace != 0));
    sprite->m_Viewport = viewport;
    sprite->DoCreate(viewport);
    return sprite;
  KORVEX_RETHROW("VGSpriteCreator::CreateSprite()", kSource)
}

boost::shared_ptr<KorvexEngine::SSprite> VGSpriteCreator::CreateTexturedSprite(const std::string& name,
                                                                               int worldSpace) {
  const boost::shared_ptr<KorvexEngine::SSprite> sprite = CreateSprite(worldSpace);
  sprite->Name = name;
  ShowTexture(*sprite, sprite->m_Viewport->GetTextureManager()->DoGetTexture(name));
  return sprite;
}

void VGSpriteCreator::ShowTexture(KorvexEngine::SSprite& sprite, const boost::shared_ptr<SCore::STexture>& texture) {
  SCore::SMaterial& material = sprite.Material;
  material.Texture1 = texture;
  material.AlphaBlend = 1;
  material.SrcBlend = 5;
  material.DstBlend = 6;
  material.ZWrite = 0;
  material.Filtration1.reset(new SCore::STextureFiltration);
  material.Filtration1->IsBilinear = false;
  sprite.CoordAligment = 1;
}

boost::shared_ptr<SCore::SViewport> VGSpriteCreator::GetRenderDevice() {
  KORVEX_TRY
    return RequireViewport();
  KORVEX_RETHROW("VGSpriteCreator::GetRenderDevice()", kSource)
}

}  // namespace Vellgrove
