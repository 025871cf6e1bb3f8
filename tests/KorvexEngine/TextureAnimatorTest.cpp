#include "CreateTextureAnimator.h"
#include "DocumentRoundTrip.h"
#include "RenderTestSupport.h"
#include "STextureAnimatorFloating.h"
#include "STextureAnimatorFrame.h"
#include "STextureManager.h"

#include <gtest/gtest.h>

#include <limits>

using RenderTest::FailureOf;
using SCore::STextureAnimatorFloating;
using SCore::STextureAnimatorFrame;

namespace {

const DWORD kClockStart = 5000;

class TextureAnimators : public RenderTest::RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    CreateWindowed();
    Platform::Testing::SetFakeClock(kClockStart);
  }

  void TearDown() override {
    Platform::Testing::UseRealClock();
    RenderFixture::TearDown();
  }

  boost::shared_ptr<SCore::STexture> Texture(const std::string& name, UINT width, UINT height) {
    const boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture(name);
    texture->SetRenderDevice(device);
    if (width != 0) texture->DoCreate(width, height, 32);
    return texture;
  }

  // A frame animator on an 8 by 8 texture, made at the clock's current time.
  boost::shared_ptr<STextureAnimatorFrame> Frames(unsigned int columns, unsigned int rows, float speed) {
    boost::shared_ptr<STextureAnimatorFrame> animator(new STextureAnimatorFrame("Walk", columns, rows));
    animator->SetTexture(Texture("Sheet", 8, 8));
    animator->AnimationSpeed = speed;
    return animator;
  }

  // The cell whose matrix the texture carries.
  static int ShownCell(const STextureAnimatorFrame& animator) {
    const SCore::SMatrix& shown = animator.Texture->Transform;
    for (size_t cell = 0; cell < animator.Transforms.size(); ++cell) {
      const SCore::SMatrix& candidate = animator.Transforms[cell];
      if (candidate.f31 == shown.f31 && candidate.f32 == shown.f32 && candidate.f11 == shown.f11) return int(cell);
    }
    return -1;
  }

  static void UpdateAfter(SCore::SAnimator& animator, DWORD milliseconds) {
    Platform::Testing::AdvanceFakeClock(milliseconds);
    animator.Update();
  }
};

TEST_F(TextureAnimators, FrameAnimatorShowsTheCellOfTheElapsedTime) {
  const struct {
    unsigned int columns, rows;
    float speed, phase;
    bool inverse;
    DWORD elapsed;
    int cell;
  } cases[] = {
      {4, 2, 8.0f, 0.0f, false, 0, 0},      {4, 2, 8.0f, 0.0f, false, 500, 4},  {4, 2, 8.0f, 0.0f, false, 1000, 0},
      {4, 2, 8.0f, 0.0f, true, 0, 7},       {4, 2, 8.0f, 0.0f, true, 500, 3},   {4, 2, 8.0f, 0.75f, false, 0, 6},
      {4, 4, -20.0f, 0.0f, false, 50, 15},  {4, 4, -20.0f, 0.0f, false, 100, 14},
  };
  for (const auto& c : cases) {
    const boost::shared_ptr<STextureAnimatorFrame> animator = Frames(c.columns, c.rows, c.speed);
    animator->StartPhase = c.phase;
    animator->Inverse = c.inverse;
    UpdateAfter(*animator, c.elapsed);
    EXPECT_EQ(ShownCell(*animator), c.cell) << c.elapsed << " ms, speed " << c.speed;
  }
}

TEST_F(TextureAnimators, ElapsedTimeIsRightAcrossTheWrapOfTheClock) {
  Platform::Testing::SetFakeClock(0xFFFFFF00u);
  const boost::shared_ptr<STextureAnimatorFrame> animator = Frames(4, 2, 8.0f);
  Platform::Testing::SetFakeClock(0x100);
  animator->Update();  // 512 ms
  EXPECT_EQ(animator->PreviousTime, 0xFFFFFF00u);
  EXPECT_EQ(ShownCell(*animator), 4);
}

TEST_F(TextureAnimators, PlayingOnceFallsBackToTheStartAndHoldsThere) {
  const boost::shared_ptr<STextureAnimatorFrame> animator = Frames(4, 2, 8.0f);
  animator->State = 2;
  UpdateAfter(*animator, 875);
  EXPECT_EQ(ShownCell(*animator), 7);
  EXPECT_EQ(animator->State, 2);
  UpdateAfter(*animator, 125);  // the counter reaches 8
  EXPECT_EQ(animator->State, 1);
  UpdateAfter(*animator, 300);
  EXPECT_EQ(ShownCell(*animator), 0);
  EXPECT_EQ(animator->StartTime, kClockStart + 1300);
  // Released, it runs from where it was held.
  animator->State = 0;
  UpdateAfter(*animator, 250);
  EXPECT_EQ(ShownCell(*animator), 2);
}

TEST_F(TextureAnimators, CellsStartOnWholeTexelsOfTheIndent) {
  const boost::shared_ptr<STextureAnimatorFrame> thirds(new STextureAnimatorFrame("Thirds", 3, 1));
  thirds->SetTexture(Texture("Wide", 100, 4));
  thirds->CalculateTransforms();
  ASSERT_EQ(thirds->Transforms.size(), 3u);
  EXPECT_FLOAT_EQ(thirds->Transforms[0].f11, 1.0f / 3.0f);
  EXPECT_FLOAT_EQ(thirds->Transforms[1].f31, 0.33f);
  EXPECT_FLOAT_EQ(thirds->Transforms[2].f31, 0.66f);
  EXPECT_FALSE(thirds->TransformsReady);

  const boost::shared_ptr<STextureAnimatorFrame> halves(new STextureAnimatorFrame("Halves", 2, 1));
  halves->SetTexture(Texture("Half", 256, 4));
  halves->Indent = SCore::SRect{0.5f, 0.0f, 0.5f, 1.0f};
  halves->CalculateTransforms();
  ASSERT_EQ(halves->Transforms.size(), 2u);
  EXPECT_EQ(halves->Transforms[0].f31, 0.5f);
  EXPECT_EQ(halves->Transforms[1].f31, 0.75f);
  EXPECT_EQ(halves->Transforms[1].f11, 0.25f);
  EXPECT_EQ(halves->Transforms[1].f22, 1.0f);
  EXPECT_EQ(halves->Transforms[1].f33, 0.0f);
  EXPECT_EQ(halves->Transforms[1].f44, 1.0f);
}

TEST_F(TextureAnimators, AChangedGridIsRebuiltBeforeACellIsPicked) {
  const boost::shared_ptr<STextureAnimatorFrame> animator = Frames(2, 1, 8.0f);
  animator->Update();
  animator->FrameVertical = 4;  // eight cells now, without clearing TransformsReady
  UpdateAfter(*animator, 875);
  EXPECT_EQ(animator->Transforms.size(), 8u);
  EXPECT_EQ(ShownCell(*animator), 7);
}

TEST_F(TextureAnimators, EmptyGridsAndSizelessTexturesRaiseClearErrors) {
  const std::string update =
      " STextureAnimator::DoUpdate() .\\Src\\STextureAnimator at: SAnimator::Update() .\\Src\\SAnimator at:";
  const boost::shared_ptr<STextureAnimatorFrame> empty = Frames(0, 2, 8.0f);
  EXPECT_EQ(FailureOf([&] { empty->Update(); }),
            "texture animator has an empty frame grid:Walk STextureAnimatorFrame::CalculateTransforms()"
            " .\\Src\\STextureAnimatorFrame at:" + update);
  const boost::shared_ptr<STextureAnimatorFrame> sizeless(new STextureAnimatorFrame("Walk", 2, 2));
  sizeless->SetTexture(Texture("Unmade", 0, 0));
  EXPECT_EQ(FailureOf([&] { sizeless->Update(); }),
            "texture animator's texture has no size:Unmade STextureAnimatorFrame::CalculateTransforms()"
            " .\\Src\\STextureAnimatorFrame at:" + update);
  const boost::shared_ptr<STextureAnimatorFrame> endless = Frames(2, 2, std::numeric_limits<float>::infinity());
  EXPECT_EQ(FailureOf([&] { UpdateAfter(*endless, 10); }),
            "texture animator's frame counter is not finite:Walk" + update);
  const boost::shared_ptr<STextureAnimatorFloating> untextured(new STextureAnimatorFloating);
  EXPECT_EQ(FailureOf([&] { untextured->Update(); }), "texture animator has no texture:UNKNOWN" + update);
}

TEST_F(TextureAnimators, FloatingAnimatorMovesAlongItsDirectionBits) {
  const struct {
    unsigned int style;
    float u, v;
  } cases[] = {{5, 3.0f, 3.0f}, {3, 0.0f, 0.0f}, {10, -3.0f, -3.0f}, {2 | 4, -3.0f, 3.0f}, {0, 0.0f, 0.0f}};
  for (const auto& c : cases) {
    STextureAnimatorFloating animator;
    animator.SetTexture(Texture("Water", 8, 8));
    animator.Style = c.style;
    animator.Step = 0.5f;
    animator.AnimationSpeed = 2.0f;
    UpdateAfter(animator, 3000);
    const SCore::SMatrix& shown = animator.Texture->Transform;
    EXPECT_EQ(shown.f31, c.u) << c.style;
    EXPECT_EQ(shown.f32, c.v) << c.style;
    EXPECT_EQ(shown.f11 + shown.f22 + shown.f33 + shown.f44, 4.0f);
    EXPECT_EQ(animator.State, 0);
  }
}

TEST_F(TextureAnimators, TypesHaveExactTextFormsAndMakeTheirAnimators) {
  EXPECT_EQ(SCore::TextureAnimatorTypeToString(SCore::FLOATING), "FLOATING");
  EXPECT_EQ(SCore::TextureAnimatorTypeToString(SCore::FRAME), "FRAME");
  EXPECT_EQ(SCore::TextureAnimatorTypeToString(SCore::TextureAnimatorType(3)), "UNKNOWN");
  EXPECT_EQ(SCore::TextureAnimatorTypeFromString("FLOATING"), SCore::FLOATING);
  EXPECT_EQ(SCore::TextureAnimatorTypeFromString("FRAME"), SCore::FRAME);
  EXPECT_EQ(FailureOf([] { SCore::TextureAnimatorTypeFromString("frame"); }),
            "unknown string with TextureAnimatorType:frame");
  EXPECT_TRUE(boost::dynamic_pointer_cast<STextureAnimatorFloating>(SCore::CreateTextureAnimator(1)));
  const boost::shared_ptr<SCore::STextureAnimator> frames = SCore::CreateTextureAnimator(2);
  EXPECT_TRUE(boost::dynamic_pointer_cast<STextureAnimatorFrame>(frames));
  EXPECT_EQ(frames->Name, "UNKNOWN");
  EXPECT_EQ(frames->Type, SCore::FRAME);
  EXPECT_EQ(FailureOf([] { SCore::CreateTextureAnimator(0); }), "unknown texture animator type0");
}

class TextureAnimatorDocuments : public TextureAnimators {
 protected:
  void SetUp() override {
    TextureAnimators::SetUp();
    manager = viewport->GetTextureManager();
    manager->AddTexture(Texture("Sheet", 64, 32));
    manager->AddTexture(Texture("Water", 8, 8));
  }

  void TearDown() override {
    manager.reset();
    TextureAnimators::TearDown();
  }

  // An "Animation" element without "Inverse" and "Indent".
  void WriteRequiredOnly(const std::string& textureName) {
    document.Write([&](SCore::SSerializator& writer) {
      writer.DoBeginChild("Animation");
      writer.DoSerialize("Name", "Run");
      writer.DoSerialize("TextureName", textureName);
      writer.DoSerialize("FrameHorizontal", 3u);
      writer.DoSerialize("FrameVertical", 2u);
      writer.DoSerialize("AnimationSpeed", 4.0f);
      writer.DoEndChild();
    });
  }

  boost::shared_ptr<SCore::STextureManager> manager;
  XMLTestSupport::DocumentRoundTrip document;
};

TEST_F(TextureAnimatorDocuments, FrameAnimatorReadsBackFromBothReaders) {
  STextureAnimatorFrame written("Walk", 4, 2);
  written.SetTexture(manager->GetTexture("Sheet"));
  written.AnimationSpeed = 12.5f;
  written.Inverse = true;
  written.Indent = SCore::SRect{0.25f, 0.5f, 0.75f, 0.5f};
  document.Write([&](SCore::SSerializator& writer) { written.DoSerialize(writer); });
  document.ReadWithBoth([&](SCore::SDeserializator& reader) {
    const boost::shared_ptr<SCore::STextureAnimator> read = SCore::CreateTextureAnimator(2);
    read->DoDeserialize(reader, manager);
    const STextureAnimatorFrame& frames = dynamic_cast<const STextureAnimatorFrame&>(*read);
    EXPECT_EQ(frames.Name, "Walk");
    EXPECT_EQ(frames.Texture, manager->GetTexture("Sheet"));
    EXPECT_EQ(frames.FrameHorizontal, 4u);
    EXPECT_EQ(frames.FrameVertical, 2u);
    EXPECT_EQ(frames.AnimationSpeed, 12.5f);
    EXPECT_TRUE(frames.Inverse);
    EXPECT_EQ(frames.Indent.X + frames.Indent.Y + frames.Indent.Width + frames.Indent.Height, 2.0f);
    EXPECT_EQ(frames.Transforms.size(), 8u);
    EXPECT_FALSE(frames.TransformsReady);
  });
}

TEST_F(TextureAnimatorDocuments, FloatingAnimatorReadsBackFromBothReaders) {
  STextureAnimatorFloating written;
  written.Name = "Flow";
  written.SetTexture(manager->GetTexture("Water"));
  written.Style = 9;
  written.Step = 0.125f;
  written.AnimationSpeed = 3.0f;
  document.Write([&](SCore::SSerializator& writer) { written.DoSerialize(writer); });
  document.ReadWithBoth([&](SCore::SDeserializator& reader) {
    STextureAnimatorFloating read;
    read.DoDeserialize(reader, manager);
    EXPECT_EQ(read.Name, "Flow");
    EXPECT_EQ(read.Texture, manager->GetTexture("Water"));
    EXPECT_EQ(read.Style, 9u);
    EXPECT_EQ(read.Step, 0.125f);
    EXPECT_EQ(read.AnimationSpeed, 3.0f);
  });
}

TEST_F(TextureAnimatorDocuments, OptionalValuesKeepTheirDefaultsAndAnUnknownTextureKeepsTheOldOne) {
  WriteRequiredOnly("Sheet");
  document.ReadWithBoth([&](SCore::SDeserializator& reader) {
    STextureAnimatorFrame read;
    read.Inverse = true;
    read.DoDeserialize(reader, manager);
    EXPECT_FALSE(read.Inverse);
    EXPECT_EQ(read.Indent.Width, 1.0f);
    EXPECT_EQ(read.Transforms.size(), 6u);
  });
  WriteRequiredOnly("Nowhere");
  document.ReadWithBoth([&](SCore::SDeserializator& reader) {
    STextureAnimatorFrame read("Old", 1, 1);
    read.SetTexture(manager->GetTexture("Water"));
    EXPECT_EQ(FailureOf([&] { read.DoDeserialize(reader, manager); }),
              "can't find texture:Nowhere STextureManager::DoGetTexture() .\\Src\\STextureManager at:"
              " STextureAnimatorFrame::DoDeserialize() .\\Src\\STextureAnimatorFrame at:");
    EXPECT_EQ(read.Name, "Old");
    EXPECT_EQ(read.Texture, manager->GetTexture("Water"));
    EXPECT_EQ(read.FrameHorizontal, 3u);
  });
}

TEST_F(TextureAnimatorDocuments, EachKindNamesItselfWhenWritingOrReadingByPositionFails) {
  const struct {
    int type;
    std::string kind;
  } kinds[] = {{1, "STextureAnimatorFloating"}, {2, "STextureAnimatorFrame"}};
  const boost::shared_ptr<SCore::STexture> unmanaged = Texture("Gone", 8, 8);
  document.Write([&](SCore::SSerializator& writer) {
    for (const auto& k : kinds) {
      const boost::shared_ptr<SCore::STextureAnimator> untextured = SCore::CreateTextureAnimator(k.type);
      EXPECT_EQ(FailureOf([&] { untextured->DoSerialize(writer); }),
                "texture animator has no texture:UNKNOWN " + k.kind + "::DoSerialize() .\\Src\\" + k.kind + " at:");
      const boost::shared_ptr<SCore::STextureAnimator> written = SCore::CreateTextureAnimator(k.type);
      written->SetTexture(unmanaged);
      written->DoSerialize(writer);
    }
  });
  document.ReadWithBoth([&](SCore::SDeserializator& reader) {
    for (unsigned int index = 0; index < 2; ++index) {
      const std::string& kind = kinds[index].kind;
      const boost::shared_ptr<SCore::STextureAnimator> read = SCore::CreateTextureAnimator(kinds[index].type);
      EXPECT_EQ(FailureOf([&] { read->DoDeserialize(reader, index, manager); }),
                "can't find texture:Gone STextureManager::DoGetTexture() .\\Src\\STextureManager at: " + kind +
                    "::DoDeserialize() .\\Src\\" + kind + " at:");
    }
  });
}

}  // namespace
