#include "GameScreenFixture.h"
#include "GameTestSupport.h"
#include "SEngineException.h"
#include "STextureFiltration.h"
#include "VGSpriteCreator.h"
#include "smath_matrix.h"

#include <gtest/gtest.h>

using GameTest::FailureOf;
using Vellgrove::VGSpriteCreator;

namespace {

const std::string kNotSet =
    "VGSpriteCreator: the viewport is not set; the game sets it when it creates the loading screen";

}  // namespace

TEST(SpriteCreator, RefusesEverySpriteAndTheViewportBeforeTheViewportIsSet) {
  VGSpriteCreator::SetViewport(boost::shared_ptr<SCore::SViewport>());
  EXPECT_EQ(FailureOf([] { VGSpriteCreator::CreateSprite(0); }),
            kNotSet + " VGSpriteCreator::CreateSprite() ..\\Src\\VGSpriteCreator at:");
  EXPECT_EQ(FailureOf([] { VGSpriteCreator::CreateTexturedSprite("BLACK", 0); }),
            kNotSet + " VGSpriteCreator::CreateSprite() ..\\Src\\VGSpriteCreator at:");
  EXPECT_EQ(FailureOf([] { VGSpriteCreator::GetRenderDevice(); }),
            kNotSet + " VGSpriteCreator::GetRenderDevice() ..\\Src\\VGSpriteCreator at:");
  try {
    VGSpriteCreator::CreateSprite(1);
    FAIL() << "a sprite without a viewport";
  } catch (const KorvexEngine::SEngineException&) {
    FAIL() << "the context is added as for every engine failure";
  } catch (const SCore::KorvexCoreException&) {
  }
}

class SpriteCreatorOnDevice : public GameTest::GameScreenFixture {};

TEST_F(SpriteCreatorOnDevice, MakesBareSpritesThatDifferOnlyInTheirSpace) {
  const boost::shared_ptr<KorvexEngine::SSprite> screen = VGSpriteCreator::CreateSprite(0);
  const boost::shared_ptr<KorvexEngine::SSprite> world = VGSpriteCreator::CreateSprite(1);
  for (const auto& sprite : {screen, world}) {
    EXPECT_EQ(sprite->Name, "");
    EXPECT_EQ(sprite->m_Viewport, viewport);
    EXPECT_EQ(sprite->CoordAligment, 0u) << "centred";
    EXPECT_EQ(sprite->ColorLU, 0xFFFFFFFFu);
    EXPECT_EQ(sprite->TexCoords.Width, 1.0f);
    EXPECT_FALSE(sprite->Material.Texture1);
  }
  EXPECT_FALSE(screen->WithTransform);
  EXPECT_TRUE(world->WithTransform);
  EXPECT_EQ(VGSpriteCreator::GetRenderDevice(), viewport);
  EXPECT_EQ(VGSpriteCreator::GetRenderDevice(), VGSpriteCreator::GetRenderDevice());
}

TEST_F(SpriteCreatorOnDevice, MakesATexturedSpriteReadyToBlendOverTheScreen) {
  const boost::shared_ptr<KorvexEngine::SSprite> sprite = VGSpriteCreator::CreateTexturedSprite("BLACK", 0);
  EXPECT_EQ(sprite->Name, "BLACK");
  EXPECT_FALSE(sprite->WithTransform);
  EXPECT_EQ(sprite->Material.Texture1, black);
  EXPECT_EQ(sprite->Material.AlphaBlend, 1);
  EXPECT_EQ(sprite->Material.SrcBlend, 5u);
  EXPECT_EQ(sprite->Material.DstBlend, 6u);
  EXPECT_EQ(sprite->Material.ZWrite, 0);
  ASSERT_TRUE(sprite->Material.Filtration1);
  EXPECT_FALSE(sprite->Material.Filtration1->IsBilinear || sprite->Material.Filtration1->IsTrilinear ||
               sprite->Material.Filtration1->IsAnisotropic);
  EXPECT_EQ(sprite->CoordAligment, 1u) << "placed by its left-top corner";
  EXPECT_EQ(FailureOf([] { VGSpriteCreator::CreateTexturedSprite("NOPE", 1); }),
            "can't find texture:NOPE STextureManager::DoGetTexture() .\\Src\\STextureManager at:");
}

// Drawn, a textured sprite covers the screen fractions it is given, from its left-top corner.
TEST_F(SpriteCreatorOnDevice, DrawsItsTextureWhereItIsPlaced) {
  viewport->GetTextureManager()->AddTexture(Texture("GOLD", 2, 2, 0xFFE0B040));
  for (int worldSpace : {0, 1}) {
    const boost::shared_ptr<KorvexEngine::SSprite> sprite = VGSpriteCreator::CreateTexturedSprite("GOLD", worldSpace);
    sprite->SetPosition(0.25f, 0.5f);
    sprite->SetSize(0.5f, 0.25f);
    const SCore::SMatrix identity = SCore::SMatrixIdentity();
    const std::vector<DWORD> frame = Frame([&] { sprite->Render(&identity); });
    EXPECT_EQ(At(frame, 0.3f, 0.6f), 0xFFE0B040u) << worldSpace;
    EXPECT_EQ(At(frame, 0.7f, 0.7f), 0xFFE0B040u) << worldSpace;
    EXPECT_EQ(At(frame, 0.2f, 0.6f), kBlack) << worldSpace;
    EXPECT_EQ(At(frame, 0.3f, 0.45f), kBlack) << worldSpace;
    EXPECT_EQ(At(frame, 0.3f, 0.8f), kBlack) << worldSpace;
  }
}
