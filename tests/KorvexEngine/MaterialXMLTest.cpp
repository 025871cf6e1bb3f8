#include "DocumentRoundTrip.h"
#include "MaterialXML.h"
#include "RenderTestSupport.h"
#include "STextureAnimatorFloating.h"
#include "STextureAnimatorFrame.h"
#include "STextureManager.h"

#include <gtest/gtest.h>

using RenderTest::FailureOf;
using SCore::STextureAnimatorFloating;
using SCore::STextureAnimatorFrame;

namespace {

class MaterialDocuments : public RenderTest::RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    CreateWindowed();
    manager = viewport->GetTextureManager();
    for (const char* name : {"Stone", "Moss"}) {
      const boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture(name);
      texture->SetRenderDevice(device);
      texture->DoCreate(16, 16, 32);
      manager->AddTexture(texture);
    }
  }

  void TearDown() override {
    manager.reset();
    RenderFixture::TearDown();
  }

  boost::shared_ptr<STextureAnimatorFrame> Frames(const std::string& texture) {
    boost::shared_ptr<STextureAnimatorFrame> frames(new STextureAnimatorFrame("Walk", 4, 2));
    frames->SetTexture(manager->GetTexture(texture));
    frames->AnimationSpeed = 6.0f;
    return frames;
  }

  boost::shared_ptr<STextureAnimatorFloating> Floating(const std::string& texture) {
    boost::shared_ptr<STextureAnimatorFloating> floating(new STextureAnimatorFloating);
    floating->Name = "Flow";
    floating->SetTexture(manager->GetTexture(texture));
    floating->Style = 4;
    floating->Step = 0.25f;
    return floating;
  }

  void WriteMaterial(const SCore::SMaterial& material) {
    document.Write([&](SCore::SSerializator& writer) {
      writer.DoBeginChild("Sprite");
      SCore::SerializeMaterial(material, writer);
      writer.DoEndChild();
    });
  }

  // Reads the written material with each reader into a fresh material that the check looks at.
  void ReadMaterial(const std::function<void(SCore::SMaterial&)>& check) {
    document.ReadWithBoth([&](SCore::SDeserializator& reader) {
      SCore::SMaterial material;
      reader.DoBeginChild("Sprite");
      SCore::DeserializeMaterial(reader, material, manager);
      check(material);
    });
  }

  boost::shared_ptr<SCore::STextureManager> manager;
  XMLTestSupport::DocumentRoundTrip document;
};

TEST_F(MaterialDocuments, EveryPersistentValueReadsBackAndTwoAnimatedStagesKeepTheirOwnAnimations) {
  SCore::SMaterial written;
  written.CullMode = 3;
  written.FillMode = 2;
  written.AlphaBlend = 1;
  written.SrcBlend = 2;
  written.DstBlend = 6;
  written.ZWrite = 0;
  written.Lighting = 1;
  written.IsFogEnable = 1;
  written.ColorOp = 7;
  written.AlphaOp = 4;
  written.Texture1 = manager->GetTexture("Stone");
  written.Filtration1.reset(new SCore::STextureFiltration);
  written.Filtration1->IsTrilinear = true;
  written.Animator1 = Frames("Stone");
  written.Texture2 = manager->GetTexture("Moss");
  written.Animator2 = Floating("Moss");
  WriteMaterial(written);
  ReadMaterial([&](SCore::SMaterial& read) {
    EXPECT_EQ(read.CullMode, 3u);
    EXPECT_EQ(read.FillMode, 2u);
    EXPECT_EQ(read.AlphaBlend, 1);
    EXPECT_EQ(read.SrcBlend, 2u);
    EXPECT_EQ(read.DstBlend, 6u);
    EXPECT_EQ(read.ZWrite, 0);
    EXPECT_EQ(read.Lighting, 1);
    EXPECT_EQ(read.IsFogEnable, 1);
    EXPECT_EQ(read.ColorOp, 4);  // the stage-0 operations are not persisted
    EXPECT_EQ(read.AlphaOp, 2);
    EXPECT_EQ(read.Texture1, manager->GetTexture("Stone"));
    EXPECT_EQ(read.Texture2, manager->GetTexture("Moss"));
    ASSERT_TRUE(read.Filtration1);
    EXPECT_TRUE(read.Filtration1->IsTrilinear);
    EXPECT_FALSE(read.Filtration2);
    const auto frames = boost::dynamic_pointer_cast<STextureAnimatorFrame>(read.Animator1);
    ASSERT_TRUE(frames);
    EXPECT_EQ(frames->Texture, read.Texture1);
    EXPECT_EQ(frames->AnimationSpeed, 6.0f);
    const auto floating = boost::dynamic_pointer_cast<STextureAnimatorFloating>(read.Animator2);
    ASSERT_TRUE(floating);
    EXPECT_EQ(floating->Texture, read.Texture2);
    EXPECT_EQ(floating->Style, 4u);
  });
}

TEST_F(MaterialDocuments, OneAnimationWithTwoTexturesGivesEachStageItsOwnAnimator) {
  SCore::SMaterial written;
  written.Texture1 = manager->GetTexture("Stone");
  written.Texture2 = manager->GetTexture("Moss");
  written.Animator2 = Floating("Moss");
  WriteMaterial(written);
  ReadMaterial([&](SCore::SMaterial& read) {
    ASSERT_TRUE(read.Animator1);
    ASSERT_TRUE(read.Animator2);
    EXPECT_NE(read.Animator1, read.Animator2);
    EXPECT_EQ(read.Animator1->Name, "Flow");
    EXPECT_EQ(read.Animator2->Name, "Flow");
  });
}

TEST_F(MaterialDocuments, WithoutItsTextureAStageIgnoresItsFiltrationAndAnimationAndKeepsItsValues) {
  // A material whose "Textures" carries stage values but no texture names.
  document.Write([&](SCore::SSerializator& writer) {
    writer.DoBeginChild("Sprite");
    writer.DoBeginChild("Material");
    for (const char* name : {"CullMode", "FillMode", "SrcBlend", "DstBlend"}) writer.DoSerialize(name, 2u);
    for (const char* name : {"AlphaBlend", "ZWrite", "Lighting", "IsFogEnable"}) writer.DoSerialize(name, 0);
    writer.DoBeginChild("Textures");
    writer.DoSerialize("Filtration1", SCore::STextureFiltration());
    Frames("Stone")->DoSerialize(writer);
    writer.DoEndChild();
    writer.DoEndChild();
    writer.DoEndChild();
  });
  const boost::shared_ptr<SCore::STexture> kept = manager->GetTexture("Moss");
  document.ReadWithBoth([&](SCore::SDeserializator& reader) {
    SCore::SMaterial read;
    read.Texture2 = kept;
    reader.DoBeginChild("Sprite");
    SCore::DeserializeMaterial(reader, read, manager);
    EXPECT_EQ(read.CullMode, 2u);
    EXPECT_FALSE(read.Texture1);
    EXPECT_FALSE(read.Filtration1);
    EXPECT_FALSE(read.Animator1);
    EXPECT_EQ(read.Texture2, kept);
    EXPECT_FALSE(read.Animator2);
  });
}

TEST_F(MaterialDocuments, AnUnknownAnimationTypeStopsReadingWithTheValuesReadSoFar) {
  SCore::SMaterial written;
  written.CullMode = 2;
  written.Texture1 = manager->GetTexture("Stone");
  const boost::shared_ptr<STextureAnimatorFrame> frames = Frames("Stone");
  frames->Type = SCore::TextureAnimatorType(7);
  written.Animator1 = frames;
  WriteMaterial(written);
  document.ReadWithBoth([&](SCore::SDeserializator& reader) {
    SCore::SMaterial read;
    reader.DoBeginChild("Sprite");
    EXPECT_EQ(FailureOf([&] { SCore::DeserializeMaterial(reader, read, manager); }),
              "unknown string with TextureAnimatorType:UNKNOWN");
    EXPECT_EQ(read.CullMode, 2u);
    EXPECT_EQ(read.Texture1, manager->GetTexture("Stone"));
    EXPECT_FALSE(read.Animator1);
  });
}

}  // namespace
