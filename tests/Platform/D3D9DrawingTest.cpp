#include <algorithm>
#include <iterator>
#include <thread>
#include <utility>

#include "D3D9Fixture.h"

using D3D9Test::DeviceFixture;
using D3D9Test::kXyzFvf;
using D3D9Test::RhwVertex;
using D3D9Test::XyzVertex;

namespace {

constexpr D3DCOLOR kBlack = 0xFF000000;
constexpr D3DCOLOR kRed = 0xFFFF0000;
constexpr D3DCOLOR kGreen = 0xFF00FF00;
constexpr D3DCOLOR kBlue = 0xFF0000FF;

// Every drawing test runs with the back buffer in a target of the device's own and with the back
// buffer in the window's framebuffer: both must give the same pixels.
enum class BackBufferPlace { OwnTarget, Window };

class Drawing : public DeviceFixture, public ::testing::WithParamInterface<BackBufferPlace> {
 protected:
  void SetUp() override {
    if (GetParam() == BackBufferPlace::OwnTarget) swapEffect = D3DSWAPEFFECT_COPY;
    DeviceFixture::SetUp();
    ASSERT_EQ(Platform::Testing::BackBufferIsWindow(device), GetParam() == BackBufferPlace::Window);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlack, 1.0f, 0);
    // Drawing with depth moves the back buffer out of the window (which has none): tests that
    // draw with depth say so.
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
  }

  void TearDown() override {
    // Whatever a test drew without depth, its back buffer stayed in the window.
    const bool drewWithDepth = depthUsed;
    if (GetParam() == BackBufferPlace::Window && !drewWithDepth) {
      EXPECT_TRUE(Platform::Testing::BackBufferIsWindow(device));
    }
    DeviceFixture::TearDown();
  }

  void EnableDepth() {
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    depthUsed = true;
  }

  bool depthUsed = false;

  // An untransformed quad in clip coordinates (identity matrices), clockwise on screen.
  void DrawXyzQuad(float left, float top, float right, float bottom, float z, D3DCOLOR colour, float u0 = 0.0f,
                   float v0 = 0.0f, float u1 = 1.0f, float v1 = 1.0f) {
    const std::vector<XyzVertex> vertices = {{left, top, z, colour, u0, v0},     {right, top, z, colour, u1, v0},
                                             {right, bottom, z, colour, u1, v1}, {left, top, z, colour, u0, v0},
                                             {right, bottom, z, colour, u1, v1}, {left, bottom, z, colour, u0, v1}};
    DrawVertices(kXyzFvf, D3DPT_TRIANGLELIST, 2, vertices);
  }

  void ExpectRow(int y, const std::vector<DWORD>& expected) {
    for (int x = 0; x < int(expected.size()); ++x) EXPECT_EQ(Pixel(x, y), expected[x]) << "pixel " << x << "," << y;
  }

  // A render-target texture of one level, and the surface of that level.
  void MakeRenderTarget(UINT width, UINT height, IDirect3DTexture9** texture, IDirect3DSurface9** surface) {
    ASSERT_EQ(device->CreateTexture(width, height, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT, texture,
                                    nullptr),
              D3D_OK);
    ASSERT_EQ((*texture)->GetSurfaceLevel(0, surface), D3D_OK);
  }

  // A square 32-bit texture with a full mip chain, each level filled with its own colour.
  IDirect3DTexture9* MakeLevelColouredTexture(UINT size, const std::vector<D3DCOLOR>& levelColours) {
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(device->CreateTexture(size, size, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
    EXPECT_EQ(texture->GetLevelCount(), levelColours.size());
    for (UINT level = 0; level < levelColours.size(); ++level) {
      const UINT side = size >> level;
      D3DLOCKED_RECT locked{};
      EXPECT_EQ(texture->LockRect(level, &locked, nullptr, 0), D3D_OK);
      for (UINT y = 0; y < side; ++y) {
        DWORD* row = static_cast<DWORD*>(locked.pBits) + y * UINT(locked.Pitch) / 4;
        std::fill(row, row + side, levelColours[level]);
      }
      texture->UnlockRect(level);
    }
    return texture;
  }

  void SetAdditiveBlending() {
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
  }
};

TEST_P(Drawing, ClearFillsTheTargetWithOpaqueColour) {
  ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF102030, 1.0f, 0), D3D_OK);
  for (DWORD pixel : BackBufferPixels()) EXPECT_EQ(pixel, 0xFF102030u);
}

TEST_P(Drawing, ClearOfRectanglesTouchesOnlyThem) {
  const D3DRECT rects[] = {{1, 1, 3, 2}, {6, 0, 9, 1}};  // the second reaches past the target
  ASSERT_EQ(device->Clear(2, rects, D3DCLEAR_TARGET, kRed, 1.0f, 0), D3D_OK);
  ExpectRow(0, {kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kRed, kRed});
  ExpectRow(1, {kBlack, kRed, kRed, kBlack, kBlack, kBlack, kBlack, kBlack});
  EXPECT_EQ(device->Clear(1, nullptr, D3DCLEAR_TARGET, kRed, 1.0f, 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_STENCIL, 0, 1.0f, 0), D3DERR_INVALIDCALL);  // D16 has no stencil
}

TEST_P(Drawing, RectangleWithIntegerEdgesCoversExactlyThePixelsInside) {
  DrawRect(2.0f, 1.0f, 5.0f, 3.0f, kRed);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
      EXPECT_EQ(Pixel(x, y), inside ? kRed : kBlack) << x << "," << y;
    }
  }
}

TEST_P(Drawing, PixelCentresLieAtIntegerCoordinates) {
  // Only the centre of pixel 1 lies in [0.6, 1.4]; a half-integer convention would catch none.
  DrawRect(0.6f, 0.6f, 1.4f, 1.4f, kRed);
  ExpectRow(0, {kBlack, kBlack, kBlack});
  ExpectRow(1, {kBlack, kRed, kBlack});
  ExpectRow(2, {kBlack, kBlack, kBlack});
}

TEST_P(Drawing, AdjacentQuadsCoverEveryPixelExactlyOnce) {
  SetAdditiveBlending();
  const D3DCOLOR grey = 0xFF404040;
  // A shared edge on pixel centres, one between them, and each quad's own diagonal.
  DrawRect(0.0f, 0.0f, 3.0f, 8.0f, grey);
  DrawRect(3.0f, 0.0f, 5.5f, 8.0f, grey);
  DrawRect(5.5f, 0.0f, 8.0f, 4.0f, grey);
  DrawRect(5.5f, 4.0f, 8.0f, 8.0f, grey);
  for (DWORD pixel : BackBufferPixels()) EXPECT_EQ(pixel, 0xFF404040u);
}

TEST_P(Drawing, TexelsMapOneToOneWhenTheQuadStartsHalfAPixelBefore) {
  const std::vector<DWORD> texels = {kRed, kGreen, kBlue, 0xFFFFFFFF};
  IDirect3DTexture9* texture = MakeTexture(4, 1, texels);
  device->SetTexture(0, texture);
  DrawRect(-0.5f, -0.5f, 3.5f, 0.5f, 0xFFFFFFFF);
  ExpectRow(0, texels);
  device->SetTexture(0, nullptr);
  texture->Release();
}

TEST_P(Drawing, WithoutTextureTheVertexColourShows) {
  DrawRect(0.0f, 0.0f, 2.0f, 1.0f, 0xFF336699);
  ExpectRow(0, {0xFF336699, 0xFF336699, kBlack});
}

TEST_P(Drawing, StageOperationsModulateAndSelect) {
  IDirect3DTexture9* texture = MakeTexture(1, 1, {0x80FF8040});
  device->SetTexture(0, texture);
  device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0xFF808080);  // default: modulate colour
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
  DrawRect(1.0f, 0.0f, 2.0f, 1.0f, 0xFF112233);  // the diffuse colour alone
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  DrawRect(2.0f, 0.0f, 3.0f, 1.0f, 0xFF112233);  // the texture alone
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_DISABLE);
  DrawRect(3.0f, 0.0f, 4.0f, 1.0f, 0xFF445566);  // a disabled stage passes the diffuse colour
  const DWORD modulated = Pixel(0, 0);
  EXPECT_NEAR(int((modulated >> 16) & 0xFF), 0x80, 1);
  EXPECT_NEAR(int((modulated >> 8) & 0xFF), 0x40, 1);
  EXPECT_NEAR(int(modulated & 0xFF), 0x20, 1);
  ExpectRow(0, {modulated, 0xFF112233, 0xFFFF8040, 0xFF445566});
  device->SetTexture(0, nullptr);
  texture->Release();
}

TEST_P(Drawing, OtherStageOperationsCombineTextureAndDiffuse) {
  struct Case {
    D3DTEXTUREOP op;
    DWORD expected;  // texture 0x40408020 (alpha 0x40) with diffuse 0x80206080
  };
  const Case cases[] = {
      {D3DTOP_ADD, 0xFF60E0A0},        {D3DTOP_SUBTRACT, 0xFF202000},  // clamped at zero
      {D3DTOP_MODULATE2X, 0xFF106020}, {D3DTOP_BLENDTEXTUREALPHA, 0xFF286868}, {D3DTOP_BLENDDIFFUSEALPHA, 0xFF307050},
  };
  IDirect3DTexture9* texture = MakeTexture(1, 1, {0x40408020});
  device->SetTexture(0, texture);
  for (const Case& entry : cases) {
    device->SetTextureStageState(0, D3DTSS_COLOROP, entry.op);
    DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0x80206080);
    const DWORD pixel = Pixel(0, 0);
    for (int shift : {16, 8, 0}) {
      EXPECT_NEAR(int((pixel >> shift) & 0xFF), int((entry.expected >> shift) & 0xFF), 2)
          << "operation " << entry.op << " channel " << shift;
    }
  }
  device->SetTexture(0, nullptr);
  texture->Release();
}

TEST_P(Drawing, PointsAndLinesLandOnPixelCentres) {
  const std::vector<RhwVertex> points = {{2, 2, 0, 1, kRed, 0, 0}, {5, 6, 0, 1, kGreen, 0, 0}};
  DrawVertices(D3D9Test::kRhwFvf, D3DPT_POINTLIST, 2, points);
  EXPECT_EQ(Pixel(2, 2), kRed);
  EXPECT_EQ(Pixel(5, 6), kGreen);
  EXPECT_EQ(Pixel(3, 2), kBlack);
  const std::vector<RhwVertex> line = {{0, 4, 0, 1, kBlue, 0, 0}, {4, 4, 0, 1, kBlue, 0, 0}};
  DrawVertices(D3D9Test::kRhwFvf, D3DPT_LINELIST, 1, line);
  ExpectRow(4, {kBlue, kBlue, kBlue, kBlue, kBlack});
}

TEST_P(Drawing, AlphaOperationModulateFadesTheTexture) {
  IDirect3DTexture9* texture = MakeTexture(1, 1, {0xFFFFFFFF});
  device->SetTexture(0, texture);
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0x00FFFFFF);  // alpha from the texture: opaque
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  DrawRect(1.0f, 0.0f, 2.0f, 1.0f, 0x00FFFFFF);  // texture alpha times vertex alpha 0: invisible
  ExpectRow(0, {0xFFFFFFFF, kBlack});
  device->SetTexture(0, nullptr);
  texture->Release();
}

TEST_P(Drawing, BlendFactorsFollowDirect3D) {
  struct Case {
    D3DBLEND source;
    D3DBLEND dest;
    DWORD expected;  // source 0x40 red-ish at alpha 0x80 over 0x20 grey
  };
  const Case cases[] = {
      {D3DBLEND_ONE, D3DBLEND_ZERO, 0xFFC08040},
      {D3DBLEND_ZERO, D3DBLEND_ONE, 0xFF202020},
      {D3DBLEND_ONE, D3DBLEND_ONE, 0xFFE0A060},
      {D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA, 0xFF705030},
      {D3DBLEND_SRCCOLOR, D3DBLEND_ZERO, 0xFF904010},
      {D3DBLEND_INVSRCCOLOR, D3DBLEND_ZERO, 0xFF304030},
      {D3DBLEND_DESTCOLOR, D3DBLEND_ZERO, 0xFF181008},
      {D3DBLEND_INVDESTCOLOR, D3DBLEND_ZERO, 0xFFA87038},
      {D3DBLEND_ZERO, D3DBLEND_SRCALPHA, 0xFF101010},
      {D3DBLEND_ZERO, D3DBLEND_INVSRCCOLOR, 0xFF081018},
      // The back buffer has no alpha: destination alpha reads as one.
      {D3DBLEND_DESTALPHA, D3DBLEND_ZERO, 0xFFC08040},
      {D3DBLEND_INVDESTALPHA, D3DBLEND_ONE, 0xFF202020},
      {D3DBLEND_BOTHSRCALPHA, D3DBLEND_ZERO, 0xFF705030},
  };
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  // Without a texture the stage's texture argument is opaque white; take alpha from the vertex.
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
  for (const Case& entry : cases) {
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF202020, 1.0f, 0);
    device->SetRenderState(D3DRS_SRCBLEND, entry.source);
    device->SetRenderState(D3DRS_DESTBLEND, entry.dest);
    DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0x80C08040);
    const DWORD pixel = Pixel(0, 0);
    for (int shift : {16, 8, 0}) {
      EXPECT_NEAR(int((pixel >> shift) & 0xFF), int((entry.expected >> shift) & 0xFF), 2)
          << "blend " << entry.source << "/" << entry.dest << " channel " << shift;
    }
  }
}

TEST_P(Drawing, StatesHoldForDrawsAfterAClear) {
  // Clearing writes every channel whatever the device's states; the next draw must not inherit that.
  device->SetRenderState(D3DRS_COLORWRITEENABLE, 0x4);  // red only
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
  device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlack, 1.0f, 0);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
  EXPECT_EQ(Pixel(0, 0), kRed);
}

TEST_P(Drawing, DepthLessEqualPassesAtEqualDepth) {
  EnableDepth();
  DrawRect(0.0f, 0.0f, 4.0f, 1.0f, kRed, 0.5f);
  DrawRect(0.0f, 0.0f, 2.0f, 1.0f, kGreen, 0.5f);  // equal: passes
  DrawRect(2.0f, 0.0f, 4.0f, 1.0f, kBlue, 0.6f);   // farther: fails
  ExpectRow(0, {kGreen, kGreen, kRed, kRed});
  device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
  DrawRect(0.0f, 1.0f, 1.0f, 2.0f, kRed, 0.2f);
  DrawRect(0.0f, 1.0f, 1.0f, 2.0f, kGreen, 0.3f);  // nothing was written: passes
  device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
  DrawRect(2.0f, 0.0f, 3.0f, 1.0f, kBlue, 0.9f);  // no test at all
  ExpectRow(0, {kGreen, kGreen, kBlue, kRed});
  ExpectRow(1, {kGreen});
}

// The device leaves out a depth clear to what the whole buffer is known to hold; whatever wrote
// depth since must make it clear again.
TEST_P(Drawing, DepthClearsAfterDepthWritesOrPartialClearsTakeEffect) {
  EnableDepth();
  device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, kRed, 0.5f);
  device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, kBlue, 0.8f);
  EXPECT_EQ(Pixel(0, 0), kBlue);
  const D3DRECT corner{0, 0, 1, 1};
  device->Clear(1, &corner, D3DCLEAR_ZBUFFER, 0, 0.0f, 0);
  device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, kGreen, 0.8f);
  EXPECT_EQ(Pixel(0, 0), kGreen);
  device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
  device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 0.5f, 0);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, kRed, 0.6f);  // behind the cleared depth, and writes none
  device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 0.5f, 0);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, kBlue, 0.4f);
  EXPECT_EQ(Pixel(0, 0), kBlue);
}

TEST_P(Drawing, UntransformedQuadAtTheFarPlaneIsDrawn) {
  // Identity matrices put z = 1 exactly on the far plane; the depth buffer holds 1.0.
  DrawXyzQuad(-1.0f, 1.0f, 1.0f, -1.0f, 1.0f, kRed);
  for (DWORD pixel : BackBufferPixels()) EXPECT_EQ(pixel, kRed);
}

TEST_P(Drawing, UntransformedVerticesGoThroughWorldViewAndProjection) {
  D3DMATRIX scale{};
  scale._11 = 0.25f;
  scale._22 = 0.25f;
  scale._33 = 1.0f;
  scale._44 = 1.0f;
  D3DMATRIX move{};
  move._11 = move._22 = move._33 = move._44 = 1.0f;
  move._41 = -0.5f;  // one quarter of the target to the left
  device->SetTransform(D3DTS_WORLD, &scale);
  device->SetTransform(D3DTS_VIEW, &move);
  DrawXyzQuad(-1.0f, 1.0f, 1.0f, -1.0f, 0.5f, kRed);  // becomes x -0.75..-0.25, y -0.25..0.25: pixels 1-2, rows 3-4
  for (int x = 0; x < kWidth; ++x) EXPECT_EQ(Pixel(x, 3), x == 1 || x == 2 ? kRed : kBlack) << x;
  EXPECT_EQ(Pixel(1, 4), kRed);
  EXPECT_EQ(Pixel(1, 2), kBlack);
  EXPECT_EQ(Pixel(1, 5), kBlack);
}

TEST_P(Drawing, CullingFollowsScreenWinding) {
  // Vertices in the order of the engine's quads: clockwise on screen.
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, kRed);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
  DrawRect(1.0f, 0.0f, 2.0f, 1.0f, kRed);
  ExpectRow(0, {kRed, kBlack});
}

TEST_P(Drawing, StripsFansAndIndexedListsDrawTheSameQuad) {
  const std::vector<RhwVertex> strip = {
      {0, 0, 0, 1, kRed, 0, 0}, {2, 0, 0, 1, kRed, 0, 0}, {0, 2, 0, 1, kRed, 0, 0}, {2, 2, 0, 1, kRed, 0, 0}};
  DrawVertices(D3D9Test::kRhwFvf, D3DPT_TRIANGLESTRIP, 2, strip);
  std::vector<RhwVertex> fan = {
      {2, 0, 0, 1, kGreen, 0, 0}, {4, 0, 0, 1, kGreen, 0, 0}, {4, 2, 0, 1, kGreen, 0, 0}, {2, 2, 0, 1, kGreen, 0, 0}};
  DrawVertices(D3D9Test::kRhwFvf, D3DPT_TRIANGLEFAN, 2, fan);
  for (D3DFORMAT format : {D3DFMT_INDEX16, D3DFMT_INDEX32}) {
    const float left = format == D3DFMT_INDEX16 ? 4.0f : 6.0f;
    const std::vector<RhwVertex> quad = {{left, 0, 0, 1, kBlue, 0, 0},
                                         {left + 2, 0, 0, 1, kBlue, 0, 0},
                                         {left + 2, 2, 0, 1, kBlue, 0, 0},
                                         {left, 2, 0, 1, kBlue, 0, 0}};
    const UINT indices[] = {0, 1, 3, 1, 2, 3};
    const UINT indexSize = format == D3DFMT_INDEX16 ? 2 : 4;
    IDirect3DVertexBuffer9* vertices = nullptr;
    IDirect3DIndexBuffer9* indexBuffer = nullptr;
    ASSERT_EQ(device->CreateVertexBuffer(4 * sizeof(RhwVertex), D3DUSAGE_WRITEONLY, D3D9Test::kRhwFvf, D3DPOOL_MANAGED,
                                         &vertices, nullptr),
              D3D_OK);
    ASSERT_EQ(
        device->CreateIndexBuffer(6 * indexSize, D3DUSAGE_WRITEONLY, format, D3DPOOL_MANAGED, &indexBuffer, nullptr),
        D3D_OK);
    void* data = nullptr;
    vertices->Lock(0, 0, &data, 0);
    std::memcpy(data, quad.data(), 4 * sizeof(RhwVertex));
    vertices->Unlock();
    indexBuffer->Lock(0, 0, &data, 0);
    for (int index = 0; index < 6; ++index) {
      if (indexSize == 2) {
        static_cast<WORD*>(data)[index] = WORD(indices[index]);
      } else {
        static_cast<UINT*>(data)[index] = indices[index];
      }
    }
    indexBuffer->Unlock();
    device->SetFVF(D3D9Test::kRhwFvf);
    device->SetStreamSource(0, vertices, 0, sizeof(RhwVertex));
    device->SetIndices(indexBuffer);
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2), D3D_OK);
    // An index that reaches past the vertices is refused.
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 1, 0, 4, 0, 2), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 3, 2), D3DERR_INVALIDCALL);
    device->SetIndices(nullptr);
    device->SetStreamSource(0, nullptr, 0, 0);
    indexBuffer->Release();
    vertices->Release();
  }
  ExpectRow(0, {kRed, kRed, kGreen, kGreen, kBlue, kBlue, kBlue, kBlue});
  ExpectRow(1, {kRed, kRed, kGreen, kGreen, kBlue, kBlue, kBlue, kBlue});
  ExpectRow(2, {kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack});
}

TEST_P(Drawing, DrawsWithoutVerticesOrWithBadArgumentsAreRefused) {
  device->SetFVF(D3D9Test::kRhwFvf);
  EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL);  // nothing bound
  IDirect3DVertexBuffer9* buffer = nullptr;
  device->CreateVertexBuffer(3 * sizeof(RhwVertex), 0, D3D9Test::kRhwFvf, D3DPOOL_MANAGED, &buffer, nullptr);
  device->SetStreamSource(0, buffer, 0, sizeof(RhwVertex));
  EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3D_OK);
  EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 1, 1), D3DERR_INVALIDCALL);  // past the end
  EXPECT_EQ(device->DrawPrimitive(D3DPRIMITIVETYPE(7), 0, 1), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 0, 1), D3DERR_INVALIDCALL);  // no indices
  // Counts whose vertices wrap around 32 bits to a count the buffer would hold.
  const std::pair<D3DPRIMITIVETYPE, UINT> hugeCounts[] = {
      {D3DPT_TRIANGLELIST, 0x55555556}, {D3DPT_LINELIST, 0x80000001}, {D3DPT_TRIANGLESTRIP, 0xFFFFFFFF}};
  for (const auto& [type, count] : hugeCounts) {
    EXPECT_EQ(device->DrawPrimitive(type, 0, count), D3DERR_INVALIDCALL) << type;
  }
  IDirect3DIndexBuffer9* indices = nullptr;
  device->CreateIndexBuffer(3 * sizeof(WORD), 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indices, nullptr);
  device->SetIndices(indices);
  EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 0, 1), D3D_OK);
  EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 0, 0x55555556), D3DERR_INVALIDCALL);
  device->SetIndices(nullptr);
  indices->Release();
  device->SetFVF(D3DFVF_DIFFUSE);
  EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL);  // no position
  device->SetStreamSource(0, nullptr, 0, 0);
  buffer->Release();
}

TEST_P(Drawing, TextureTransformAppliesToUntransformedVerticesOnly) {
  IDirect3DTexture9* texture = MakeTexture(2, 1, {kRed, kGreen});
  device->SetTexture(0, texture);
  D3DMATRIX shift{};
  shift._11 = shift._22 = shift._33 = shift._44 = 1.0f;
  shift._31 = 0.5f;  // two coordinates: the translation lies in the third row
  device->SetTransform(D3DTS_TEXTURE0, &shift);
  device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
  // Left half of the target samples u 0..0.25 before the shift: red; after it: green.
  DrawXyzQuad(-1.0f, 1.0f, 0.0f, 0.0f, 0.5f, 0xFFFFFFFF, 0.0f, 0.0f, 0.25f, 1.0f);
  EXPECT_EQ(Pixel(1, 1), kGreen);
  DrawRect(0.0f, 5.0f, 4.0f, 6.0f, 0xFFFFFFFF, 0.0f, 0.0f, 0.0f, 0.25f, 1.0f);
  EXPECT_EQ(Pixel(1, 5), kRed);
  device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
  DrawXyzQuad(-1.0f, 1.0f, 0.0f, 0.0f, 0.5f, 0xFFFFFFFF, 0.0f, 0.0f, 0.25f, 1.0f);
  EXPECT_EQ(Pixel(1, 1), kRed);
  device->SetTexture(0, nullptr);
  texture->Release();
}

TEST_P(Drawing, WrapAddressingRepeatsTheTexture) {
  IDirect3DTexture9* texture = MakeTexture(4, 1, {kRed, kGreen, kBlue, 0xFFFFFFFF});
  device->SetTexture(0, texture);
  // u from 1.25 maps like u from 0.25.
  DrawRect(-0.5f, -0.5f, 3.5f, 0.5f, 0xFFFFFFFF, 0.0f, 1.25f, 0.0f, 2.25f, 1.0f);
  ExpectRow(0, {kGreen, kBlue, 0xFFFFFFFF, kRed});
  device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
  DrawRect(-0.5f, 0.5f, 3.5f, 1.5f, 0xFFFFFFFF, 0.0f, 1.25f, 0.0f, 2.25f, 1.0f);
  ExpectRow(1, {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF});
  device->SetTexture(0, nullptr);
  texture->Release();
}

// A small texture drawn with coordinates inside it is sampled from the page that such textures
// share; its border there gives what its addressing gives at its edges.
TEST_P(Drawing, TextureInTheSharedPageFiltersAtItsEdgesAsItsAddressingSays) {
  constexpr D3DCOLOR kBorder = kGreen;
  struct Case {
    DWORD address;
    D3DCOLOR beforeFirst;  // what filtering takes from one texel before the first
    D3DCOLOR afterLast;
  };
  const Case cases[] = {{D3DTADDRESS_WRAP, kBlue, kRed},
                        {D3DTADDRESS_CLAMP, kRed, kBlue},
                        {D3DTADDRESS_MIRROR, kRed, kBlue},
                        {D3DTADDRESS_BORDER, kBorder, kBorder},
                        {D3DTADDRESS_WRAP, kBlue, kRed}};  // the border follows a change back
  IDirect3DTexture9* texture = MakeTexture(2, 1, {kRed, kBlue});
  device->SetTexture(0, texture);
  device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
  device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
  device->SetSamplerState(0, D3DSAMP_BORDERCOLOR, kBorder);
  // Pixels 0 and 3 sample a quarter of a texel beyond the texture's edge texel centres.
  const auto mix = [](D3DCOLOR edge, D3DCOLOR beyond, int shift) {
    return int(((edge >> shift) & 0xFF) * 3 + ((beyond >> shift) & 0xFF)) / 4;
  };
  for (int row = 0; row < int(std::size(cases)); ++row) {
    const Case& entry = cases[row];
    device->SetSamplerState(0, D3DSAMP_ADDRESSU, entry.address);
    DrawRect(-0.5f, float(row) - 0.5f, 3.5f, float(row) + 0.5f, 0xFFFFFFFF);
    for (int shift : {16, 8, 0}) {
      EXPECT_NEAR(int((Pixel(0, row) >> shift) & 0xFF), mix(kRed, entry.beforeFirst, shift), 2) << "row " << row;
      EXPECT_NEAR(int((Pixel(3, row) >> shift) & 0xFF), mix(kBlue, entry.afterLast, shift), 2) << "row " << row;
    }
  }
  EXPECT_TRUE(Platform::Testing::TextureIsInPage(texture));
  device->SetTexture(0, nullptr);
  texture->Release();
}

TEST_P(Drawing, LinearFilteringBlendsNeighbouringTexels) {
  IDirect3DTexture9* texture = MakeTexture(2, 1, {kBlack, 0xFFFFFFFF});
  device->SetTexture(0, texture);
  device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
  device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
  device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
  // Pixel 0 samples u = 0.5: halfway between the two texel centres.
  DrawRect(-0.5f, -0.5f, 0.5f, 0.5f, 0xFFFFFFFF, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f);
  EXPECT_NEAR(int(Pixel(0, 0) & 0xFF), 0x80, 2);
  device->SetTexture(0, nullptr);
  texture->Release();
}

TEST_P(Drawing, MipFilteringPicksTheSmallerLevel) {
  IDirect3DTexture9* texture = MakeLevelColouredTexture(4, {kRed, kGreen, kBlue});
  device->SetTexture(0, texture);
  // A 4 by 4 texture on a 1 by 1 pixel area: level 2 (1 by 1) with mipmapping, level 0 without.
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
  device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_POINT);
  DrawRect(1.0f, 0.0f, 2.0f, 1.0f, 0xFFFFFFFF);
  ExpectRow(0, {kRed, kBlue});
  device->SetTexture(0, nullptr);
  texture->Release();
}

TEST_P(Drawing, MaximumMipLevelBeyondTheChainSamplesTheSmallestLevel) {
  IDirect3DTexture9* texture = MakeLevelColouredTexture(2, {kRed, kGreen});
  device->SetTexture(0, texture);
  device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_POINT);
  device->SetSamplerState(0, D3DSAMP_MAXMIPLEVEL, 5);
  DrawRect(0.0f, 0.0f, 2.0f, 2.0f, 0xFFFFFFFF);
  ExpectRow(0, {kGreen, kGreen});
  device->SetTexture(0, nullptr);
  texture->Release();
}

TEST_P(Drawing, ViewportLimitsClearAndDrawing) {
  const D3DVIEWPORT9 viewport{2, 1, 3, 2, 0.0f, 1.0f};
  ASSERT_EQ(device->SetViewport(&viewport), D3D_OK);
  device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlue, 1.0f, 0);
  DrawRect(0.0f, 0.0f, 8.0f, 2.0f, kRed);  // pre-transformed: only the viewport's pixels change
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool inViewport = x >= 2 && x < 5 && y >= 1 && y < 3;
      const DWORD expected = !inViewport ? kBlack : y == 1 ? kRed : kBlue;
      EXPECT_EQ(Pixel(x, y), expected) << x << "," << y;
    }
  }
}

TEST_P(Drawing, UntransformedVerticesMapIntoTheViewport) {
  const D3DVIEWPORT9 viewport{4, 4, 4, 4, 0.0f, 1.0f};
  device->SetViewport(&viewport);
  DrawXyzQuad(-1.0f, 1.0f, 0.0f, 0.0f, 0.5f, kRed);  // the viewport's top-left quarter
  EXPECT_EQ(Pixel(4, 4), kRed);
  EXPECT_EQ(Pixel(5, 5), kRed);
  EXPECT_EQ(Pixel(6, 4), kBlack);
  EXPECT_EQ(Pixel(4, 6), kBlack);
  EXPECT_EQ(Pixel(3, 3), kBlack);
}

TEST_P(Drawing, LinearVertexFogBlendsTowardsTheFogColour) {
  device->SetRenderState(D3DRS_FOGENABLE, TRUE);
  device->SetRenderState(D3DRS_FOGCOLOR, 0xFFFFFFFF);
  device->SetRenderState(D3DRS_FOGVERTEXMODE, D3DFOG_LINEAR);
  device->SetRenderState(D3DRS_FOGSTART, D3D9Test::FloatBits(0.0f));
  device->SetRenderState(D3DRS_FOGEND, D3D9Test::FloatBits(1.0f));
  // View-space depth 0.5 between start 0 and end 1: half fog.
  DrawXyzQuad(-1.0f, 1.0f, 1.0f, -1.0f, 0.5f, kBlack);
  EXPECT_NEAR(int(Pixel(3, 3) & 0xFF), 0x80, 3);
  device->SetRenderState(D3DRS_FOGVERTEXMODE, D3DFOG_EXP);
  device->SetRenderState(D3DRS_FOGDENSITY, D3D9Test::FloatBits(2.0f));
  // e^(-2 * 0.5) = 0.37 of the colour remains: 0.63 of white.
  DrawXyzQuad(-1.0f, 1.0f, 1.0f, -1.0f, 0.5f, kBlack);
  EXPECT_NEAR(int(Pixel(3, 3) & 0xFF), 161, 3);
  device->SetRenderState(D3DRS_FOGENABLE, FALSE);
  DrawXyzQuad(-1.0f, 1.0f, 1.0f, -1.0f, 0.5f, kBlack);
  EXPECT_EQ(Pixel(3, 3), kBlack);
}

TEST_P(Drawing, LightingWithoutLightsLeavesBlack) {
  device->SetRenderState(D3DRS_LIGHTING, TRUE);
  DrawXyzQuad(-1.0f, 1.0f, 1.0f, -1.0f, 0.5f, kRed);
  EXPECT_EQ(Pixel(3, 3) & 0x00FFFFFF, 0u);
}

TEST_P(Drawing, RenderTargetTextureIsDrawnIntoAndSampled) {
  IDirect3DTexture9* target = nullptr;
  IDirect3DSurface9* surface = nullptr;
  ASSERT_NO_FATAL_FAILURE(MakeRenderTarget(4, 4, &target, &surface));
  IDirect3DSurface9* saved = nullptr;
  device->GetRenderTarget(0, &saved);
  ASSERT_EQ(device->SetRenderTarget(0, surface), D3D_OK);
  D3DVIEWPORT9 viewport{};
  device->GetViewport(&viewport);
  EXPECT_EQ(viewport.Width, 4u);
  device->Clear(0, nullptr, D3DCLEAR_TARGET, kGreen, 1.0f, 0);
  DrawRect(0.0f, 0.0f, 2.0f, 4.0f, kRed);
  const std::vector<DWORD> drawn = Platform::Testing::ReadRenderTarget(surface);
  ASSERT_EQ(drawn.size(), 16u);
  EXPECT_EQ(drawn[0], kRed);
  EXPECT_EQ(drawn[3], kGreen);
  ASSERT_EQ(device->SetRenderTarget(0, saved), D3D_OK);
  device->SetTexture(0, target);
  DrawRect(-0.5f, -0.5f, 3.5f, 0.5f, 0xFFFFFFFF);
  ExpectRow(0, {kRed, kRed, kGreen, kGreen});
  EXPECT_EQ(device->SetRenderTarget(0, nullptr), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->SetRenderTarget(1, saved), D3DERR_INVALIDCALL);
  device->SetTexture(0, nullptr);
  surface->Release();
  saved->Release();
  target->Release();
}

TEST_P(Drawing, BackBufferKeepsItsDepthBufferAfterDrawingIntoALargerTarget) {
  IDirect3DTexture9* target = nullptr;
  IDirect3DSurface9* surface = nullptr;
  ASSERT_NO_FATAL_FAILURE(MakeRenderTarget(2 * kWidth, 2 * kHeight, &target, &surface));
  IDirect3DSurface9* backBuffer = nullptr;
  device->GetRenderTarget(0, &backBuffer);
  ASSERT_EQ(device->SetRenderTarget(0, surface), D3D_OK);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, kRed);  // the depth buffer is too small to serve here
  ASSERT_EQ(device->SetRenderTarget(0, backBuffer), D3D_OK);
  ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlack, 1.0f, 0);
  EnableDepth();
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, kGreen, 0.5f);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, kBlue, 0.8f);  // farther: fails the depth test
  EXPECT_EQ(Pixel(0, 0), kGreen);
  surface->Release();
  backBuffer->Release();
  target->Release();
}

TEST_P(Drawing, TextureTargetsAndTheBackBufferShareOneDepthBuffer) {
  IDirect3DTexture9* target = nullptr;
  IDirect3DSurface9* surface = nullptr;
  ASSERT_NO_FATAL_FAILURE(MakeRenderTarget(kWidth, kHeight, &target, &surface));
  IDirect3DSurface9* backBuffer = nullptr;
  device->GetRenderTarget(0, &backBuffer);
  EnableDepth();
  device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 0.25f, 0);
  ASSERT_EQ(device->SetRenderTarget(0, surface), D3D_OK);
  device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlack, 1.0f, 0);
  DrawRect(0.0f, 0.0f, 4.0f, 1.0f, kRed, 0.5f);    // behind the back buffer's cleared depth
  DrawRect(0.0f, 1.0f, 4.0f, 2.0f, kGreen, 0.1f);  // in front, and writes its depth
  const std::vector<DWORD> drawn = Platform::Testing::ReadRenderTarget(surface);
  ASSERT_EQ(drawn.size(), size_t(kWidth * kHeight));
  EXPECT_EQ(drawn[0], kBlack);
  EXPECT_EQ(drawn[kWidth], kGreen);
  ASSERT_EQ(device->SetRenderTarget(0, backBuffer), D3D_OK);
  DrawRect(0.0f, 0.0f, 4.0f, 2.0f, kBlue, 0.2f);  // behind what the texture target wrote only
  EXPECT_EQ(Pixel(0, 0), kBlue);
  EXPECT_EQ(Pixel(0, 1), kBlack);
  surface->Release();
  backBuffer->Release();
  target->Release();
}

// A thread that does not draw the frame cannot have the context while a scene keeps it: its clear
// waits and joins the frame, before what is drawn after it.
TEST_P(Drawing, ClearFromAnotherThreadJoinsTheFrame) {
  ASSERT_EQ(device->BeginScene(), D3D_OK);
  DrawRect(0.0f, 0.0f, 2.0f, 2.0f, kRed);
  HRESULT cleared = E_FAIL;
  std::thread([&] { cleared = device->Clear(0, nullptr, D3DCLEAR_TARGET, kGreen, 1.0f, 0); }).join();
  EXPECT_EQ(cleared, D3D_OK);
  DrawRect(1.0f, 1.0f, 2.0f, 2.0f, kBlue);
  ASSERT_EQ(device->EndScene(), D3D_OK);
  ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  EXPECT_EQ(Pixel(0, 0), kGreen);
  EXPECT_EQ(Pixel(1, 1), kBlue);
}

// Outside a scene the clear waits too, and what reads the target back sees it.
TEST_P(Drawing, ClearFromAnotherThreadOutsideASceneShowsWhenReadBack) {
  const D3DRECT corner{0, 0, 2, 2};
  std::thread([&] {
    EXPECT_EQ(device->Clear(1, &corner, D3DCLEAR_TARGET, kGreen, 1.0f, 0), D3D_OK);
  }).join();
  EXPECT_EQ(Pixel(1, 1), kGreen);
  EXPECT_EQ(Pixel(2, 1), kBlack);
  EXPECT_EQ(Pixel(1, 2), kBlack);
}

INSTANTIATE_TEST_SUITE_P(BackBuffer, Drawing, ::testing::Values(BackBufferPlace::OwnTarget, BackBufferPlace::Window),
                         [](const ::testing::TestParamInfo<BackBufferPlace>& info) {
                           return info.param == BackBufferPlace::Window ? "InTheWindow" : "InItsOwnTarget";
                         });

// Back buffers that the window's framebuffer cannot hold are drawn into a target of the device's
// own and copied at Present.
class BackBufferPlacement : public DeviceFixture {
 protected:
  HRESULT ResetWith(D3DPRESENT_PARAMETERS changed) { return device->Reset(&changed); }
};

TEST_F(BackBufferPlacement, GoesToTheWindowOnlyWhenSizeFormatDepthAndSwapEffectAllow) {
  struct Case {
    const char* what;
    D3DFORMAT format;
    D3DFORMAT depth;
    UINT width;
    D3DSWAPEFFECT swap;
    bool inWindow;
  };
  const Case cases[] = {
      {"32-bit colour", D3DFMT_X8R8G8B8, D3DFMT_D32, kWidth, D3DSWAPEFFECT_DISCARD, true},
      {"16-bit depth, flipping", D3DFMT_X8R8G8B8, D3DFMT_D16, kWidth, D3DSWAPEFFECT_FLIP, true},
      {"depth with stencil", D3DFMT_X8R8G8B8, D3DFMT_D24S8, kWidth, D3DSWAPEFFECT_DISCARD, true},
      {"16-bit colour", D3DFMT_R5G6B5, D3DFMT_D32, kWidth, D3DSWAPEFFECT_DISCARD, false},
      {"another size", D3DFMT_X8R8G8B8, D3DFMT_D32, 2 * kWidth, D3DSWAPEFFECT_DISCARD, false},
      {"a copying swap", D3DFMT_X8R8G8B8, D3DFMT_D32, kWidth, D3DSWAPEFFECT_COPY, false},
  };
  for (const Case& entry : cases) {
    D3DPRESENT_PARAMETERS changed = parameters;
    changed.BackBufferFormat = entry.format;
    changed.AutoDepthStencilFormat = entry.depth;
    changed.BackBufferWidth = entry.width;
    changed.BackBufferHeight = kHeight;
    changed.SwapEffect = entry.swap;
    ASSERT_EQ(ResetWith(changed), D3D_OK) << entry.what;
    EXPECT_EQ(Platform::Testing::BackBufferIsWindow(device), entry.inWindow) << entry.what;
    // Either way the frame is drawn, read back and presented.
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlack, 1.0f, 0);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    DrawRect(0.0f, 0.0f, 1.0f, 1.0f, kRed);
    ASSERT_EQ(device->EndScene(), D3D_OK);
    const std::vector<DWORD> pixels = BackBufferPixels();
    ASSERT_EQ(pixels.size(), size_t(entry.width) * kHeight) << entry.what;
    EXPECT_EQ(pixels[0], kRed) << entry.what;
    EXPECT_EQ(pixels[1], kBlack) << entry.what;
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK) << entry.what;
  }
}

// The window has no depth buffer: a frame that draws with depth leaves it, keeping what it drew,
// and so does the next frame; a frame without depth brings the back buffer back.
TEST_F(BackBufferPlacement, AFrameDrawnWithDepthLeavesTheWindowUntilAFrameWithout) {
  ASSERT_TRUE(Platform::Testing::BackBufferIsWindow(device));
  device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlack, 0.5f, 0);
  ASSERT_EQ(device->BeginScene(), D3D_OK);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, kRed);
  EXPECT_TRUE(Platform::Testing::BackBufferIsWindow(device));
  device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
  DrawRect(1.0f, 0.0f, 2.0f, 1.0f, kGreen, 0.25f);
  DrawRect(2.0f, 0.0f, 3.0f, 1.0f, kBlue, 0.75f);  // behind the cleared depth
  EXPECT_FALSE(Platform::Testing::BackBufferIsWindow(device));
  ASSERT_EQ(device->EndScene(), D3D_OK);
  const std::vector<DWORD> pixels = BackBufferPixels();
  ASSERT_EQ(pixels.size(), size_t(kWidth * kHeight));
  EXPECT_EQ(pixels[0], kRed);
  EXPECT_EQ(pixels[1], kGreen);
  EXPECT_EQ(pixels[2], kBlack);
  const bool expectedPlaces[] = {false, true};  // after the frame with depth, after one without
  for (bool inWindow : expectedPlaces) {
    ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_EQ(Platform::Testing::BackBufferIsWindow(device), inWindow);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    DrawRect(0.0f, 0.0f, 1.0f, 1.0f, kBlue);
    EXPECT_EQ(Pixel(0, 0), kBlue);
  }
}

}  // namespace
