#include "GameScreenFixture.h"

#include "Painter.h"
#include "STextureAnimatorFrame.h"
#include "VGParticles.h"

#include "smath_matrix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using Vellgrove::Painter;
using Vellgrove::StrokeRect;
using Vellgrove::VGParticles;

const DWORD kWhite = 0xFFFFFFFF;

class PainterOnDevice : public GameTest::GameScreenFixture {
 protected:
  // Every texel of the canvas texture, read through the pitch its lock reports.
  std::vector<DWORD> CanvasTexels(SCore::STexture& texture) {
    D3DLOCKED_RECT locked{};
    texture.DoLockRect(0, &locked, nullptr, 0);
    std::vector<DWORD> texels;
    for (int y = 0; y < Painter::kSide; ++y) {
      const DWORD* row = reinterpret_cast<const DWORD*>(static_cast<const char*>(locked.pBits) + y * locked.Pitch);
      texels.insert(texels.end(), row, row + Painter::kSide);
    }
    texture.DoUnlockRect(0);
    return texels;
  }
};

TEST_F(PainterOnDevice, TheTextureShowsExactlyTheCanvasPixelsAndClearEmptiesIt) {
  Painter painter(viewport);
  const boost::shared_ptr<SCore::STexture> texture = viewport->GetTextureManager()->GetTexture("PaintingSprite");
  ASSERT_EQ(texture, painter.GetTexture());
  EXPECT_EQ(texture->GetWidth(), 256u);

  painter.Render(0.0f, 0.0f);
  painter.Render(10.0f / 256, 3.0f / 256);
  painter.Render(-0.02f, 0.5f);  // off the left edge: clipped per pixel
  std::vector<DWORD> texels = CanvasTexels(*texture);
  for (int y = 0; y < Painter::kSide; ++y)
    for (int x = 0; x < Painter::kSide; ++x)
      ASSERT_EQ(texels[size_t(y) * Painter::kSide + size_t(x)], painter.GetCanvas().IsDrawn(x, y) ? kWhite : 0u)
          << x << "," << y;
  EXPECT_EQ(texels[0], kWhite);
  EXPECT_EQ(texels[3 * Painter::kSide + 10], kWhite);

  StrokeRect rect{};
  const auto& rows = painter.GetStrokeBitmap(rect);
  // The last segment leaves the canvas at its left edge near row 90.
  EXPECT_EQ(std::make_pair(rect.x, rect.y), std::make_pair(0, 0));
  EXPECT_EQ(std::make_pair(rect.width, rect.height), std::make_pair(11, 91));
  EXPECT_EQ(rows, painter.GetCanvas().StrokeRows(rect));

  painter.Clear();
  texels = CanvasTexels(*texture);
  EXPECT_EQ(std::count(texels.begin(), texels.end(), 0u), long(texels.size()));
  painter.GetStrokeBitmap(rect);
  EXPECT_EQ(std::make_pair(rect.width, rect.height), std::make_pair(1, 1));
}

TEST_F(PainterOnDevice, ItsSpriteShowsTheStrokeFullScreenAndASecondPainterIsRefused) {
  Painter painter(viewport);
  painter.Render(0.0f, 0.5f);
  painter.Render(1.0f, 0.5f);
  const std::vector<DWORD> pixels = Frame([&] {
    const SCore::SMatrix identity = SCore::SMatrixIdentity();
    painter.GetSprite()->Render(&identity);
  });
  EXPECT_EQ(At(pixels, 0.5f, 0.5f) & 0xFFFFFF, 0xFFFFFFu & kWhite) << std::hex << At(pixels, 0.5f, 0.5f);
  EXPECT_EQ(At(pixels, 0.5f, 0.25f) & 0xFFFFFF, 0u);

  try {
    Painter second(viewport);
    FAIL() << "a second painter took the same texture name";
  } catch (const SCore::KorvexCoreException& error) {
    EXPECT_NE(std::string(error.what()).find("PaintingSprite"), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("Painter::Painter()"), std::string::npos) << error.what();
  }
}

class ParticlesOnDevice : public GameTest::GameScreenFixture {
 protected:
  void SetUp() override {
    GameScreenFixture::SetUp();
    sprite.reset(new KorvexEngine::SSprite("ParticleSprite", false));
    sprite->m_Viewport = viewport;
    sprite->DoCreate(viewport);
    sprite->CoordAligment = 1;
    sprite->SetSize(0.005f, 0.005f);  // two pixels of the 400 by 300 window
    sprite->Material.Texture1 = Texture("PARTICLE", 6, 6, kWhite);
    sprite->Material.ZWrite = 0;
    animator.reset(new SCore::STextureAnimatorFrame("ParticleAnimator", 6, 6));
    animator->SetTexture(sprite->Material.Texture1);
    sprite->Material.Animator1 = animator;
  }

  // Canvas-pixel positions (column, row) of the particles drawn for the stroke, found in the frame as
  // the left-top corners of lit squares.
  std::vector<std::pair<int, int>> ParticlesOf(const Vellgrove::PainterCanvas::Rows& rows, const StrokeRect& rect) {
    VGParticles particles(sprite);
    const std::vector<DWORD> pixels = Frame([&] { particles.Render(rows, rect); });
    auto lit = [&pixels](int x, int y) { return x >= 0 && y >= 0 && (pixels[size_t(y) * kWidth + size_t(x)] & 0xFFFFFF); };
    std::vector<std::pair<int, int>> found;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (lit(x, y) && !lit(x - 1, y) && !lit(x, y - 1))
          found.emplace_back(x * Painter::kSide / kWidth, y * Painter::kSide / kHeight);
    std::sort(found.begin(), found.end());
    return found;
  }

  boost::shared_ptr<KorvexEngine::SSprite> sprite;
  boost::shared_ptr<SCore::STextureAnimatorFrame> animator;
};

TEST_F(ParticlesOnDevice, ParticlesKeepMoreThanEightPixelsFromTheLastOneAndStepTheAnimation) {
  using Rows = Vellgrove::PainterCanvas::Rows;
  using Spots = std::vector<std::pair<int, int>>;
  struct Case {
    const char* what;
    Rows rows;
    StrokeRect rect;
    Spots expected;
  };
  const std::vector<Case> cases = {
      {"empty canvas", Rows{{0}}, {0, 0, 1, 1}, {}},
      {"no rows", Rows{}, {0, 0, 1, 1}, {}},
      {"line of 20 at row 100 from column 50", Rows{std::vector<unsigned char>(20, 0xFF)}, {50, 100, 20, 1},
       {{50, 100}, {59, 100}, {68, 100}}},
      {"diagonal neighbours", Rows{{0xFF, 0}, {0, 0xFF}}, {30, 40, 2, 2}, {{30, 40}}},
      {"eight rows apart", Rows{{0xFF}, {0}, {0}, {0}, {0}, {0}, {0}, {0}, {0xFF}}, {120, 20, 1, 9}, {{120, 20}}},
      {"nine rows apart", Rows{{0xFF}, {0}, {0}, {0}, {0}, {0}, {0}, {0}, {0}, {0xFF}}, {120, 20, 1, 10},
       {{120, 20}, {120, 29}}},
  };
  for (const Case& c : cases) {
    animator->StartPhase = -1.0f;
    EXPECT_EQ(ParticlesOf(c.rows, c.rect), c.expected) << c.what;
    // The n-th particle starts n frames of the 36 later than the first.
    const float lastPhase = c.expected.empty() ? -1.0f : float(c.expected.size() - 1) / 36.0f;
    EXPECT_FLOAT_EQ(animator->StartPhase, lastPhase) << c.what;
  }
}

TEST_F(ParticlesOnDevice, AnInvisibleSpriteIsPlacedButNotDrawn) {
  sprite->Visible = false;
  const Vellgrove::PainterCanvas::Rows line{std::vector<unsigned char>(20, 0xFF)};
  EXPECT_TRUE(ParticlesOf(line, {50, 100, 20, 1}).empty());
  EXPECT_FLOAT_EQ(sprite->Position.X, 68.0f / 256.0f);
  EXPECT_FLOAT_EQ(sprite->Position.Y, 100.0f / 256.0f);
  EXPECT_FLOAT_EQ(animator->StartPhase, 2.0f / 36.0f);
}

}  // namespace
