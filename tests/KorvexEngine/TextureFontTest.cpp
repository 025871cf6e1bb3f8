#include "DrawableTestSupport.h"
#include "SEngineException.h"
#include "STextureFont.h"
#include "vertices.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using KorvexEngine::STextureFont;

const DWORD kBlack = 0xFF000000, kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;

class TextureFonts : public RenderTest::DrawableFixture {
 protected:
  // Four cells of one texel each in a row: red, green, blue, white.
  void UseFourCellAtlas(STextureFont& font) { Prepare(font, Texture(4, 1, {kRed, kGreen, kBlue, kWhite})); }

  // "A" is half a cell of green, "B" a whole cell of blue; a cell is 16 by 24 pixels.
  STextureFont AB(float spacing) {
    STextureFont font(4.0f, 1.0f, spacing);
    font.IndexMap[L'A'] = 1;
    font.IndexMap[L'B'] = 2;
    font.WidthMap[L'A'] = 0.5f;
    font.Position = SCore::SRect{0.125f, 0.25f, 0.25f, 0.5f};
    font.SetText("AB");
    return font;
  }

  // The colours along the middle row of the text.
  std::string Row(const std::vector<DWORD>& pixels, const std::vector<int>& xs) {
    std::string seen;
    for (int x : xs) {
      const DWORD pixel = At(pixels, x, 24);
      seen += pixel == kBlack ? '.' : pixel == kGreen ? 'G' : pixel == kBlue ? 'B' : pixel == kRed ? 'R' : '?';
    }
    return seen;
  }

  // The vertices of the font's last rebuild.
  std::vector<KorvexEngine::SVertexXYZRHWDiffuseTex1> Vertices(STextureFont& font) {
    void* data = nullptr;
    font.m_VertexBuffer->DoLock(0, 0, &data, 0);
    const auto* first = static_cast<const KorvexEngine::SVertexXYZRHWDiffuseTex1*>(data);
    std::vector<KorvexEngine::SVertexXYZRHWDiffuseTex1> vertices(first, first + font.m_VertexBuffer->VertexCount);
    font.m_VertexBuffer->DoUnlock();
    return vertices;
  }
};

TEST_F(TextureFonts, DrawGlyphsEdgeToEdgeByTheirWidthsAndMeasureTheSameWidth) {
  STextureFont font = AB(1.0f);
  UseFourCellAtlas(font);
  const std::vector<DWORD> pixels = Draw(font);
  // A covers x 8 to 16, B 16 to 32.
  EXPECT_EQ(Row(pixels, {7, 8, 15, 16, 31, 32}), ".GGBB.");
  EXPECT_EQ(Covered(pixels), (RenderTest::PixelBounds{8, 12, 32, 36}));
  EXPECT_EQ(font.GetTextWidth(), 1.5f);
  EXPECT_EQ(8 + font.GetTextWidth() * 16, 32.0f);
}

TEST_F(TextureFonts, SpacingAddsToEveryAdvance) {
  STextureFont font = AB(1.5f);
  UseFourCellAtlas(font);
  // B starts at 8 + 1.5 x 16 - 8 = 24.
  EXPECT_EQ(Row(Draw(font), {15, 16, 23, 24, 39, 40}), "G..BB.");
}

TEST_F(TextureFonts, CutCellsFromTheAtlasByIndexOrByCodeThroughTheAtlasRectangle) {
  STextureFont font(16.0f, 16.0f, 1.0f);
  font.m_Viewport = viewport;
  font.IndexMap[L'A'] = 33;
  font.WidthMap[L'A'] = 0.5f;
  font.Position = SCore::SRect{0.1f, 0.2f, 0.05f, 0.1f};
  font.Color[1] = 0;
  font.Color[2] = 0;
  font.SetText(L"ABA");
  font.Precashing();
  const auto v = Vertices(font);
  ASSERT_EQ(v.size(), 12u);
  using Vertex = KorvexEngine::SVertexXYZRHWDiffuseTex1;
  // A: cell 33 (column 1 of row 2), half a cell wide; "B" has no entry: the cell of its code 0x42,
  // column 2 of row 4, a whole cell wide, right after A.
  const struct {
    int vertex;
    float Vertex::*field;
    float expected;
  } checks[] = {
      {0, &Vertex::X, 6.4f},     {1, &Vertex::X, 8.0f},     {0, &Vertex::Y, 9.6f},    {3, &Vertex::Y, 14.4f},
      {0, &Vertex::U, 0.0625f},  {1, &Vertex::U, 0.09375f}, {0, &Vertex::V, 0.125f},  {2, &Vertex::V, 0.1875f},
      {4, &Vertex::X, 8.0f},     {5, &Vertex::X, 11.2f},    {4, &Vertex::U, 0.125f},  {6, &Vertex::V, 0.3125f},
      {8, &Vertex::X, 11.2f},
  };
  for (const auto& check : checks) EXPECT_FLOAT_EQ(v[check.vertex].*check.field, check.expected) << check.vertex;
  for (const auto& vertex : v) {
    EXPECT_EQ(vertex.Z, 1.0f);
    EXPECT_EQ(vertex.RHW, 1.0f);
    EXPECT_EQ(vertex.Color, 0xFF0000FFu);
  }

  font.AtlasRect = SCore::SRect{0.5f, 0.25f, 0.5f, 0.5f};
  font.Precashing();
  const auto inAtlas = Vertices(font);
  EXPECT_FLOAT_EQ(inAtlas[0].U, 0.5f + 0.0625f * 0.5f);
  EXPECT_FLOAT_EQ(inAtlas[2].V, 0.25f + 0.1875f * 0.5f);
}

TEST_F(TextureFonts, KeepTheirBuffersWhileTheLengthStaysAndDrawNothingForNoText) {
  STextureFont font(4.0f, 1.0f, 1.0f);
  UseFourCellAtlas(font);
  font.Position = SCore::SRect{0.0f, 0.0f, 0.1f, 0.1f};
  EXPECT_EQ(font.GetTextWidth(), 0.0f);
  EXPECT_EQ(Covered(Draw(font)), (RenderTest::PixelBounds{kWidth, kHeight, 0, 0}));
  EXPECT_FALSE(font.m_VertexBuffer);

  font.SetText("abc");
  Draw(font);
  const auto threeVertices = font.m_VertexBuffer;
  font.SetText("abcde");
  Draw(font);
  EXPECT_NE(font.m_VertexBuffer, threeVertices);
  EXPECT_EQ(font.m_VertexBuffer->VertexCount, 20u);
  EXPECT_EQ(font.m_IndexBuffer->IndexCount, 30u);
  const auto fiveVertices = font.m_VertexBuffer;
  const auto fiveIndices = font.m_IndexBuffer;
  font.SetText(L"vwxyz");
  Draw(font);
  EXPECT_EQ(font.m_VertexBuffer, fiveVertices);
  EXPECT_EQ(font.m_IndexBuffer, fiveIndices);
}

TEST_F(TextureFonts, WidenNarrowTextAsSignedBytes) {
  STextureFont font(16.0f, 16.0f, 1.0f);
  font.SetText(std::string("\xE9" "a", 2));
  EXPECT_EQ(font.Text, std::wstring({wchar_t(0xFFE9), L'a'}));
}

TEST_F(TextureFonts, RefuseAnAtlasWithoutAWholeColumnAndStartAtTheOrigin) {
  for (float columns : {0.0f, 0.5f, -3.0f, std::numeric_limits<float>::quiet_NaN()}) {
    SCOPED_TRACE(columns);
    EXPECT_EQ(RenderTest::FailureOf([&] { STextureFont font(columns, 1.0f, 1.0f); }),
              "a texture font needs at least one glyph column");
  }
  const STextureFont font(1.0f, 1.0f, 1.0f);
  EXPECT_EQ(font.Position.X + font.Position.Y + font.Position.Width + font.Position.Height, 0.0f);
  EXPECT_EQ(font.Name, "TextureFont");
}

// 16-bit indices reach 16384 characters; the rest must not wrap round onto the first vertices.
TEST_F(TextureFonts, DrawOnlyTheCharactersThatSixteenBitIndicesReach) {
  STextureFont font(1.0f, 1.0f, 1.0f);
  Prepare(font, White());
  // One pixel per character, moved left so that only characters from 16384 on would be seen.
  font.Position = SCore::SRect{-16384.0f / kWidth, 0.0f, 1.0f / kWidth, 1.0f};
  font.SetText(std::wstring(16390, L'x'));
  EXPECT_EQ(Covered(Draw(font)), (RenderTest::PixelBounds{kWidth, kHeight, 0, 0}));
  EXPECT_EQ(font.m_VertexBuffer->VertexCount, 65536u);
  EXPECT_EQ(font.m_IndexBuffer->IndexCount, 6u * 16384u);
  EXPECT_EQ(font.GetTextWidth(), 16390.0f);

  font.Position.X = 0.0f;
  font.CacheValid = false;
  EXPECT_EQ(Covered(Draw(font)), (RenderTest::PixelBounds{0, 0, kWidth, kHeight}));
}

}  // namespace
