#include "RenderTestSupport.h"
#include "STextureManager.h"

#include <boost/weak_ptr.hpp>
#include <gtest/gtest.h>

using RenderTest::FailureOf;

namespace {

const std::string kSource = " .\\Src\\STextureManager at:";

// Textures made by the viewport are named but hold nothing on the platform, which is all that the
// manager looks at.
class TextureManager : public ::testing::Test {
 protected:
  boost::shared_ptr<SCore::STexture> Texture(const std::string& name) { return viewport->CreateTexture(name); }

  boost::shared_ptr<SCore::SViewport> viewport = SCore::SViewportFactory::CreateViewport("D3D9Render");
  SCore::STextureManager manager;
};

TEST_F(TextureManager, TheViewportOwnsOneFromItsConstruction) {
  ASSERT_TRUE(viewport->GetTextureManager());
  EXPECT_TRUE(viewport->GetTextureManager()->ContainsTextureGroup("default"));
}

TEST_F(TextureManager, StartsWithOnlyTheDefaultGroupWhichCannotBeAddedAgain) {
  EXPECT_TRUE(manager.ContainsTextureGroup("default"));
  EXPECT_FALSE(manager.ContainsTextureGroup("Default"));
  EXPECT_FALSE(manager.ContainsTexture(""));
  EXPECT_EQ(FailureOf([&] { manager.AddTextureGroup("default"); }),
            "can't add texture group, because texture group with such name is exist:[default]"
            " STextureManager::CheckTextureGroupAbsent()" + kSource +
            " STextureManager::AddTextureGroup()" + kSource);
}

TEST_F(TextureManager, AddsGroupsOnceEach) {
  manager.AddTextureGroup("Menu");
  EXPECT_TRUE(manager.ContainsTextureGroup("Menu"));
  EXPECT_NE(FailureOf([&] { manager.AddTextureGroup("Menu"); }), "no failure");
  manager.AddTextureGroup("menu");
  EXPECT_TRUE(manager.ContainsTextureGroup("menu"));
}

TEST_F(TextureManager, FindsATextureByItsExactNameOnly) {
  const boost::shared_ptr<SCore::STexture> stone = Texture("Stone");
  manager.AddTexture(stone);
  EXPECT_TRUE(manager.ContainsTexture("Stone"));
  EXPECT_EQ(manager.GetTexture("Stone"), stone);
  for (const std::string other : {"stone", "Stone ", " Stone", ""}) {
    EXPECT_FALSE(manager.ContainsTexture(other)) << other;
    EXPECT_EQ(FailureOf([&] { manager.GetTexture(other); }),
              "can't find texture:" + other + " STextureManager::DoGetTexture()" + kSource);
  }
}

TEST_F(TextureManager, WalksOverEveryTextureInTheOrderOfTheirNames) {
  EXPECT_TRUE(manager.GetTextures().empty());
  const boost::shared_ptr<SCore::STexture> stone = Texture("Stone");
  const boost::shared_ptr<SCore::STexture> black = Texture("BLACK");
  const boost::shared_ptr<SCore::STexture> arrow = Texture("arrow");
  for (const auto& texture : {stone, arrow, black}) manager.AddTexture(texture);
  EXPECT_EQ(manager.GetTextures(), (std::vector<boost::shared_ptr<SCore::STexture>>{black, stone, arrow}));
}

TEST_F(TextureManager, RefusesASecondTextureOfTheSameNameAndKeepsTheFirst) {
  const boost::shared_ptr<SCore::STexture> first = Texture("Stone");
  manager.AddTexture(first);
  EXPECT_EQ(FailureOf([&] { manager.AddTexture(Texture("Stone")); }),
            "can't add texture, because texture with such name is exist:[Stone] STextureManager::AddTexture()" +
                kSource);
  EXPECT_EQ(manager.GetTexture("Stone"), first);
}

TEST_F(TextureManager, KeepsARegisteredTextureAliveAfterItsOtherOwnersLetGo) {
  boost::shared_ptr<SCore::STexture> texture = Texture("Stone");
  const boost::weak_ptr<SCore::STexture> watch = texture;
  manager.AddTexture(texture);
  texture.reset();
  ASSERT_FALSE(watch.expired());
  EXPECT_EQ(manager.GetTexture("Stone"), watch.lock());
}

TEST_F(TextureManager, TheEmptyNameIsAnOrdinaryName) {
  manager.AddTexture(Texture(""));
  EXPECT_TRUE(manager.ContainsTexture(""));
  EXPECT_EQ(manager.GetTexture("")->GetName(), "");
}

}  // namespace
