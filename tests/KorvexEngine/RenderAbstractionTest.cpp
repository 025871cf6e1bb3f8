#include "GetPrimitiveCount.h"
#include "RenderTestSupport.h"
#include "SD3D9Viewport.h"
#include "SDI9Input.h"
#include "SMaterial.h"
#include "STextureFiltration.h"

#include <gtest/gtest.h>

using RenderTest::FailureOf;
using SCore::GetPrimitiveCount;

TEST(GetPrimitiveCount, CountsPrimitivesOfEveryTypeAndNeverUnderflows) {
  const struct {
    unsigned type, elements, primitives;
  } cases[] = {
      {4, 6, 2}, {4, 7, 2}, {2, 5, 2}, {1, 0, 0}, {5, 4, 2}, {6, 5, 3}, {3, 4, 3},
      // too few elements for one primitive
      {3, 0, 0}, {5, 1, 0}, {6, 0, 0}, {4, 2, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetPrimitiveCount(c.type, c.elements), c.primitives) << c.type << " " << c.elements;
  }
  for (unsigned type : {0u, 7u}) {
    EXPECT_EQ(FailureOf([&] { GetPrimitiveCount(type, 3); }), "Primitivew type is not supported");
  }
}

TEST(Material, StartsWithTheDefaults) {
  const SCore::SMaterial material;
  EXPECT_EQ(material.CullMode, 1u);
  EXPECT_EQ(material.FillMode, 3u);
  EXPECT_EQ(material.AlphaBlend, 0);
  EXPECT_EQ(material.SrcBlend, 5u);
  EXPECT_EQ(material.DstBlend, 8u);
  EXPECT_EQ(material.ZWrite, 1);
  EXPECT_EQ(material.Lighting, 0);
  EXPECT_EQ(material.ColorOp, 4);
  EXPECT_EQ(material.AlphaOp, 2);
  EXPECT_FALSE(material.GetTexture1() || material.GetTexture2() || material.GetFiltration1() ||
               material.GetFiltration2() || material.GetAnimator1() || material.GetAnimator2());
  EXPECT_EQ(material.IsFogEnable, 0);
}

TEST(Material, CopyKeepsTheTargetsStageOperationsAndSharesTheReferences) {
  SCore::SMaterial target;
  {
    SCore::SMaterial source;
    source.CullMode = 2;
    source.AlphaBlend = 1;
    source.ColorOp = 2;
    source.AlphaOp = 4;
    source.IsFogEnable = 1;
    source.Filtration2.reset(new SCore::STextureFiltration);
    EXPECT_EQ(&SCore::CopyMaterial(source, target), &target);
    EXPECT_EQ(target.Filtration2, source.Filtration2);
    EXPECT_EQ(source.Filtration2.use_count(), 2);
  }
  EXPECT_EQ(target.CullMode, 2u);
  EXPECT_EQ(target.AlphaBlend, 1);
  EXPECT_EQ(target.IsFogEnable, 1);
  EXPECT_EQ(target.ColorOp, 4);
  EXPECT_EQ(target.AlphaOp, 2);
  ASSERT_TRUE(target.GetFiltration2());  // outlives the source
  EXPECT_EQ(target.Filtration2.use_count(), 1);
}

TEST(ViewportFactory, MakesTheDirect3D9ViewportByItsExactName) {
  const boost::shared_ptr<SCore::SViewport> viewport = SCore::SViewportFactory::CreateViewport("D3D9Render");
  ASSERT_TRUE(boost::dynamic_pointer_cast<SCore::SD3D9Viewport>(viewport));
  EXPECT_TRUE(boost::dynamic_pointer_cast<SCore::SD3D9RenderDevice>(viewport->GetRenderDevice()));
  EXPECT_TRUE(boost::dynamic_pointer_cast<SCore::SDI9Input>(viewport->GetInput()));
  // Nothing exists on the platform before Create.
  EXPECT_EQ(viewport->GetRenderDevice()->Lock(), nullptr);
  viewport->GetRenderDevice()->Unlock();
  EXPECT_TRUE(viewport->CreateRenderPass());
  const boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture("Stone");
  EXPECT_EQ(texture->GetName(), "Stone");
  EXPECT_EQ(texture->GetResourceType(), 3);
  EXPECT_EQ(texture->GetNative(), nullptr);
  EXPECT_TRUE(viewport->DoCreateFont());
}

TEST(ViewportFactory, RefusesEveryOtherNameUnchanged) {
  for (const std::string name : {"d3d9render", "D3D9Render ", "", "OpenGL"}) {
    EXPECT_EQ(FailureOf([&] { SCore::SViewportFactory::CreateViewport(name); }),
              "unknown Render name: " + name + " SViewportFactory::CreateViewport() .\\Src\\SViewportFactory at:");
  }
}

// Applying a material needs the platform device.
class RenderDevice : public RenderTest::RenderFixture {};

TEST_F(RenderDevice, SetMaterialMakesTheMaterialCurrentButKeepsTheCurrentStageOperations) {
  SCore::SRenderDevice& device = *viewport->GetRenderDevice();
  const SCore::SFog& fog = device.Fog;
  EXPECT_EQ(fog.IsLinear, 1);
  EXPECT_EQ(fog.End, 1000.0f);
  EXPECT_EQ(fog.Density, 0.5f);
  EXPECT_EQ(fog.Color[0] & fog.Color[1] & fog.Color[2] & fog.Color[3], 255);
  EXPECT_EQ(device.ViewRect.MaxZ, 1.0f);
  EXPECT_EQ(device.ViewRect.Width, 0u);

  CreateWindowed();
  SCore::SMaterial material;
  material.CullMode = 3;
  material.AlphaOp = 4;
  device.SetMaterial(material);
  EXPECT_EQ(device.CurrentMaterial.CullMode, 3u);
  EXPECT_EQ(device.CurrentMaterial.AlphaOp, 2);
}
