#include "DocumentRoundTrip.h"
#include "DrawableTestSupport.h"
#include "SEngineException.h"
#include "SSprite.h"
#include "vertices.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <future>
#include <memory>
#include <thread>

namespace {

using RenderTest::PixelBounds;
using KorvexEngine::SSprite;

const DWORD kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;
const float kQuarterTurn = 1.5707964f;

class Sprites : public RenderTest::DrawableFixture {
 protected:
  // Red, green / blue, white: each quarter of a sprite that shows it whole has its own colour.
  boost::shared_ptr<SCore::STexture> Quarters() { return Texture(2, 2, {kRed, kGreen, kBlue, kWhite}); }

  SSprite Sprite(bool withTransform, float x, float y, float width, float height, unsigned alignment = 0) {
    SSprite sprite("Test", withTransform);
    sprite.Position = SCore::SRect{x, y, width, height};
    sprite.CoordAligment = alignment;
    return sprite;
  }

  // Colours at the middles of the four quarters of a rectangle of pixels.
  struct QuarterColours {
    DWORD leftUpper, rightUpper, leftLower, rightLower;
  };
  static QuarterColours QuartersOf(const std::vector<DWORD>& pixels, const PixelBounds& b) {
    const int left = b.left + (b.right - b.left) / 4, right = b.right - 1 - (b.right - b.left) / 4;
    const int top = b.top + (b.bottom - b.top) / 4, bottom = b.bottom - 1 - (b.bottom - b.top) / 4;
    return {At(pixels, left, top), At(pixels, right, top), At(pixels, left, bottom), At(pixels, right, bottom)};
  }
};

// 64 x 48 target: each case in both spaces, which must cover the same pixels.
TEST_F(Sprites, CoverTheirRectangleInBothSpacesByAlignmentScaleAndAngle) {
  const struct {
    const char* name;
    float x, y, width, height;
    unsigned alignment;
    float xScale, yScale, angle;
    PixelBounds expected;
  } cases[] = {
      {"centred", 0.5f, 0.5f, 0.25f, 0.5f, 0, 1, 1, 0, {24, 12, 40, 36}},
      {"left-upper corner", 0.5f, 0.5f, 0.25f, 0.5f, 1, 1, 1, 0, {32, 24, 48, 48}},
      {"wider about the centre", 0.5f, 0.5f, 0.25f, 0.5f, 0, 2, 1, 0, {16, 12, 48, 36}},
      {"wider to the right", 0.25f, 0.25f, 0.25f, 0.25f, 1, 2, 0.5f, 0, {16, 12, 48, 18}},
      {"square turned about its centre", 0.5f, 0.5f, 0.5f, 0.5f, 0, 1, 1, kQuarterTurn, {16, 12, 48, 36}},
  };
  const auto texture = White();
  for (const auto& c : cases) {
    for (bool world : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (world ? " in world space" : " in screen space"));
      SSprite sprite = Sprite(world, c.x, c.y, c.width, c.height, c.alignment);
      sprite.XScaleFactor = c.xScale;
      sprite.YScaleFactor = c.yScale;
      sprite.Angle = c.angle;
      Prepare(sprite, texture);
      EXPECT_EQ(Covered(Draw(sprite)), c.expected);
    }
  }
}

TEST_F(Sprites, ATurnedScreenSpriteTurnsClockwiseAboutItsReferencePointForEitherAlignment) {
  const auto texture = Quarters();
  for (unsigned alignment : {0u, 1u}) {
    SCOPED_TRACE(alignment);
    // The turn happens in fractions of the target: half its width becomes half its height (24 pixels),
    // a third of its height a third of its width (21.3 pixels).
    SSprite sprite = Sprite(false, 0.5f, 0.5f, 0.5f, 1.0f / 3.0f, alignment);
    sprite.Angle = kQuarterTurn;
    Prepare(sprite, texture);
    const std::vector<DWORD> pixels = Draw(sprite);
    const PixelBounds bounds = Covered(pixels);
    EXPECT_EQ(bounds, (PixelBounds{22, 12, 43, 36}));
    const QuarterColours seen = QuartersOf(pixels, bounds);
    EXPECT_EQ(seen.rightUpper, kRed);
    EXPECT_EQ(seen.rightLower, kGreen);
    EXPECT_EQ(seen.leftUpper, kBlue);
    EXPECT_EQ(seen.leftLower, kWhite);
  }
}

TEST_F(Sprites, ShowTheirTextureRectangleMirroredByTheFlipsInBothSpaces) {
  const struct {
    const char* name;
    SCore::SRect texCoords;
    bool flipHorizontal, flipVertical;
    QuarterColours expected;
  } cases[] = {
      {"whole", {0, 0, 1, 1}, false, false, {kRed, kGreen, kBlue, kWhite}},
      {"flipped left and right", {0, 0, 1, 1}, true, false, {kGreen, kRed, kWhite, kBlue}},
      {"flipped top and bottom", {0, 0, 1, 1}, false, true, {kBlue, kWhite, kRed, kGreen}},
      {"flipped both ways", {0, 0, 1, 1}, true, true, {kWhite, kBlue, kGreen, kRed}},
      {"right-upper quarter", {0.5f, 0, 1, 0.5f}, false, false, {kGreen, kGreen, kGreen, kGreen}},
      {"corners given mirrored", {1, 0, 0, 1}, false, false, {kGreen, kRed, kWhite, kBlue}},
  };
  const auto texture = Quarters();
  for (const auto& c : cases) {
    for (bool world : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (world ? " in world space" : " in screen space"));
      SSprite sprite = Sprite(world, 0.25f, 0.25f, 0.5f, 0.5f, 1);
      sprite.TexCoords = c.texCoords;
      sprite.FlipHorizontal = c.flipHorizontal;
      sprite.FlipVertical = c.flipVertical;
      Prepare(sprite, texture);
      const std::vector<DWORD> pixels = Draw(sprite);
      const PixelBounds bounds = Covered(pixels);
      ASSERT_EQ(bounds, (PixelBounds{16, 12, 48, 36}));
      const QuarterColours seen = QuartersOf(pixels, bounds);
      EXPECT_EQ(seen.leftUpper, c.expected.leftUpper);
      EXPECT_EQ(seen.rightUpper, c.expected.rightUpper);
      EXPECT_EQ(seen.leftLower, c.expected.leftLower);
      EXPECT_EQ(seen.rightLower, c.expected.rightLower);
    }
  }
}

TEST_F(Sprites, ShadeFromTheirFourCornerColours) {
  SSprite sprite = Sprite(false, 0.0f, 0.0f, 1.0f, 1.0f, 1);
  sprite.ColorLU = kRed;
  sprite.ColorRU = kGreen;
  sprite.ColorRD = kBlue;
  sprite.ColorLD = 0xFFFFFF00;
  Prepare(sprite, White());
  const std::vector<DWORD> pixels = Draw(sprite);
  EXPECT_PRED2(RenderTest::NearColour, At(pixels, 0, 0), kRed);
  EXPECT_PRED2(RenderTest::NearColour, At(pixels, kWidth - 1, 0), kGreen);
  EXPECT_PRED2(RenderTest::NearColour, At(pixels, kWidth - 1, kHeight - 1), kBlue);
  EXPECT_PRED2(RenderTest::NearColour, At(pixels, 0, kHeight - 1), 0xFFFFFF00u);
}

TEST_F(Sprites, AWorldSpriteIsPlacedByTheCallersMatrixAfterItsOwn) {
  SSprite sprite = Sprite(true, 0.5f, 0.5f, 0.25f, 0.5f);
  Prepare(sprite, White());
  SCore::SMatrix moved = SCore::SMatrixIdentity();
  moved.f41 = 0.5f;  // a quarter of the target's width to the right
  EXPECT_EQ(Covered(Draw(sprite, moved)), (PixelBounds{40, 12, 56, 36}));
  SCore::SMatrix world;
  device->DoGetTransform(&world, D3DTS_WORLD);
  EXPECT_EQ(world.f41, 0.0f) << "the world transform is restored";
}

TEST_F(Sprites, ScreenVerticesFollowTheTargetsPixelsAndTheCornerTable) {
  SSprite sprite = Sprite(false, 0.5f, 0.5f, 0.25f, 0.5f);
  sprite.ColorRD = 0x80102030;
  sprite.TexCoords = SCore::SRect{0.1f, 0.2f, 0.3f, 0.4f};
  sprite.m_Viewport = viewport;
  sprite.Precashing();
  ASSERT_TRUE(sprite.CacheValid);
  EXPECT_EQ(sprite.m_VertexBuffer->DoGetFvf(), 0x144u);
  void* data = nullptr;
  sprite.m_VertexBuffer->DoLock(0, 0, &data, 0);
  const auto* v = static_cast<const KorvexEngine::SVertexXYZRHWDiffuseTex1*>(data);
  const float expected[4][4] = {{24, 12, 0.1f, 0.2f}, {40, 12, 0.3f, 0.2f}, {40, 36, 0.3f, 0.4f}, {24, 36, 0.1f, 0.4f}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(v[i].X, expected[i][0]);
    EXPECT_EQ(v[i].Y, expected[i][1]);
    EXPECT_EQ(v[i].Z, 0.0f);
    EXPECT_EQ(v[i].RHW, 1.0f);
    EXPECT_EQ(v[i].U, expected[i][2]);
    EXPECT_EQ(v[i].V, expected[i][3]);
  }
  EXPECT_EQ(v[2].Color, 0x80102030u);
  EXPECT_EQ(v[0].Color, 0xFFFFFFFFu);
  sprite.m_VertexBuffer->DoUnlock();
}

TEST_F(Sprites, MovingRebuildsOnlyScreenVertices) {
  for (bool world : {false, true}) {
    SSprite sprite = Sprite(world, 0.5f, 0.5f, 0.25f, 0.5f);
    sprite.CacheValid = true;
    sprite.SetPosition(0.1f, 0.2f);
    sprite.SetSize(0.3f, 0.4f);
    EXPECT_EQ(sprite.CacheValid, world);
  }
}

TEST_F(Sprites, ASpriteThatChangesItsSpaceRedrawsInTheNewLayout) {
  const auto texture = White();
  SSprite sprite = Sprite(false, 0.5f, 0.5f, 0.25f, 0.5f);
  Prepare(sprite, texture);
  Draw(sprite);
  for (bool world : {true, false}) {
    sprite.SetWithTransform(world);
    EXPECT_EQ(Covered(Draw(sprite)), (PixelBounds{24, 12, 40, 36}));
    EXPECT_EQ(sprite.m_VertexBuffer->VertexSize, world ? 24u : 28u);
  }
  sprite.WithTransform = true;  // without the setter the layout is still checked at draw time
  EXPECT_EQ(Covered(Draw(sprite)), (PixelBounds{24, 12, 40, 36}));
  EXPECT_EQ(sprite.m_VertexBuffer->DoGetFvf(), 0x142u);
}

TEST_F(Sprites, BoundingBoxIsThePositionInPixelsWithoutScale) {
  const struct {
    unsigned alignment;
    float angle;
    SCore::SAABBox expected;
  } cases[] = {
      {0, 0.0f, {24, 12, 0, 40, 36, 0}},
      {1, 0.0f, {32, 24, 0, 48, 48, 0}},
      // Turned corners as they come: the quarter turn leaves MinX above MaxX.
      {0, kQuarterTurn, {48, 18, 0, 16, 30, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.alignment);
    SSprite sprite = Sprite(false, 0.5f, 0.5f, 0.25f, 0.5f, c.alignment);
    sprite.Angle = c.angle;
    sprite.XScaleFactor = 3.0f;
    sprite.m_Viewport = viewport;
    sprite.RefreshAABB();
    EXPECT_NEAR(sprite.AABB.MinX, c.expected.MinX, 1e-4);
    EXPECT_NEAR(sprite.AABB.MinY, c.expected.MinY, 1e-4);
    EXPECT_NEAR(sprite.AABB.MaxX, c.expected.MaxX, 1e-4);
    EXPECT_NEAR(sprite.AABB.MaxY, c.expected.MaxY, 1e-4);
    EXPECT_EQ(sprite.AABB.MinZ + sprite.AABB.MaxZ, 0.0f);
  }
}

TEST_F(Sprites, RefuseTrianglesAndUnknownAlignmentsWithoutHoldingTheDevice) {
  SSprite sprite = Sprite(false, 0.5f, 0.5f, 0.25f, 0.5f, 2);
  sprite.m_Viewport = viewport;
  EXPECT_EQ(RenderTest::FailureOf([&] { sprite.DoGetTriangles(); }),
            "not implemented SSprite::DoGetTriangles() .\\Src\\SSprite at:");
  EXPECT_EQ(RenderTest::FailureOf([&] { sprite.RefreshAABB(); }),
            "CoordAligment must be 0 (centre) or 1 (left-upper corner) SSprite::RefreshAABB() .\\Src\\SSprite at:");
  for (bool world : {false, true}) {
    sprite.SetWithTransform(world);
    EXPECT_EQ(RenderTest::FailureOf([&] { sprite.DoRender(nullptr); }),
              "CoordAligment must be 0 (centre) or 1 (left-upper corner) SSprite::FillVertexData() .\\Src\\SSprite at: "
              "SSprite::Precashing() .\\Src\\SSprite at:");
    EXPECT_FALSE(sprite.CacheValid);
  }
  // The failed fill happened with the vertex buffer locked: another thread must still get the device.
  const auto entered = std::make_shared<std::promise<void>>();
  std::future<void> done = entered->get_future();
  const boost::shared_ptr<SCore::SRenderDevice> shared = device;
  std::thread([shared, entered] {
    shared->Lock();
    shared->Unlock();
    entered->set_value();
  }).detach();
  EXPECT_EQ(done.wait_for(std::chrono::seconds(5)), std::future_status::ready);
}

class SpriteXML : public Sprites {
 protected:
  static SSprite Written() {
    SSprite sprite("Cursor", true);
    sprite.ColorLU = 0x01020304;
    sprite.ColorRU = 0x05060708;
    sprite.ColorLD = 0x090A0B0C;
    sprite.ColorRD = 0xFFEEDDCC;
    sprite.Angle = 0.25f;
    sprite.Position = SCore::SRect{0.1f, 0.2f, 0.3f, 0.4f};
    sprite.TexCoords = SCore::SRect{0.5f, 0.6f, 0.7f, 0.8f};
    sprite.CoordAligment = 1;
    sprite.FlipHorizontal = true;
    sprite.FlipVertical = true;
    sprite.XScaleFactor = 1.5f;
    sprite.YScaleFactor = 2.5f;
    sprite.Material.CullMode = 3;
    sprite.Material.AlphaBlend = 1;
    return sprite;
  }

  XMLTestSupport::DocumentRoundTrip document;
};

TEST_F(SpriteXML, ReadsBackEveryValueTheNameAndTheMaterialFromBothReaders) {
  SSprite written = Written();
  const boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture("Cursor.png");
  viewport->GetTextureManager()->AddTexture(texture);
  written.Material.Texture1 = texture;
  document.Write([&](SCore::SSerializator& writer) {
    writer.DoBeginChild("Root");
    written.DoSerialize(writer);
    writer.DoEndChild();
  });
  document.ReadWithBoth([&](SCore::SDeserializator& reader) {
    reader.DoBeginChild("Root");
    for (int byIndex = 0; byIndex < 2; ++byIndex) {
      SSprite read("Other", true);
      read.m_Viewport = viewport;
      read.CacheValid = true;
      if (byIndex)
        read.DoDeserialize(reader, 0u);
      else
        read.DoDeserialize(reader);
      EXPECT_EQ(read.Name, "Cursor");
      EXPECT_EQ(read.Material.Texture1, texture);
      EXPECT_EQ(read.Material.CullMode, 3u);
      EXPECT_EQ(read.Material.AlphaBlend, 1);
      EXPECT_EQ(read.ColorLU, written.ColorLU);
      EXPECT_EQ(read.ColorRU, written.ColorRU);
      EXPECT_EQ(read.ColorLD, written.ColorLD);
      EXPECT_EQ(read.ColorRD, written.ColorRD);
      EXPECT_EQ(read.Angle, written.Angle);
      EXPECT_EQ(read.Position.Y, written.Position.Y);
      EXPECT_EQ(read.Position.Height, written.Position.Height);
      EXPECT_EQ(read.TexCoords.X, written.TexCoords.X);
      EXPECT_EQ(read.TexCoords.Width, written.TexCoords.Width);
      EXPECT_EQ(read.CoordAligment, 1u);
      EXPECT_TRUE(read.WithTransform);
      EXPECT_TRUE(read.FlipHorizontal);
      EXPECT_TRUE(read.FlipVertical);
      EXPECT_EQ(read.XScaleFactor, 1.5f);
      EXPECT_EQ(read.YScaleFactor, 2.5f);
      EXPECT_TRUE(read.CacheValid) << "reading leaves the cached vertices alone";
    }
    reader.DoEndChild();
  });
}

TEST_F(SpriteXML, AMissingValueFailsUnderTheSpritesContextKeepingWhatWasRead) {
  document.Write([&](SCore::SSerializator& writer) {
    writer.DoBeginChild("Sprite");
    writer.DoSerialize("ColorLU", 0x01020304u);
    writer.DoEndChild();
  });
  document.ReadWithBoth([&](SCore::SDeserializator& reader) {
    SSprite read("Other", false);
    read.m_Viewport = viewport;
    const std::string failure = RenderTest::FailureOf([&] { read.DoDeserialize(reader); });
    EXPECT_NE(failure.find("SSprite::DoDeserialize() .\\Src\\SSprite at:"), std::string::npos) << failure;
    EXPECT_EQ(read.ColorLU, 0x01020304u);
    EXPECT_EQ(read.ColorRU, 0xFFFFFFFFu);
  });
}

}  // namespace
