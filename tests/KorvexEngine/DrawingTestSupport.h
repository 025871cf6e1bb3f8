// A device in a small window that draws one quad over the whole render target, and reads back
// its pixels and states.
#pragma once

#include "RenderTestSupport.h"
#include "SIndexBuffer.h"
#include "SVertexBuffer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace RenderTest {

// Untransformed, so that texture transforms apply; with identity matrices the positions are clip
// coordinates.
struct QuadVertex {
  float x, y, z;
  DWORD colour;
  float u, v;
};

const DWORD kQuadFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

class DrawingFixture : public RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    CreateWindowed();
    // Unlit vertices keep their own colour.
    Native()->SetRenderState(D3DRS_LIGHTING, FALSE);
    vertices = viewport->DoCreateVertexBuffer(4, sizeof(QuadVertex), kQuadFvf, D3DPT_TRIANGLELIST,
                                              D3DUSAGE_WRITEONLY);
    indices = viewport->DoCreateIndexBuffer(6, D3DFMT_INDEX16, D3DUSAGE_WRITEONLY);
    const WORD quadIndices[6] = {0, 1, 3, 1, 2, 3};
    void* data = nullptr;
    indices->DoLock(0, 0, &data, 0);
    std::memcpy(data, quadIndices, sizeof quadIndices);
    indices->DoUnlock();
    FillQuad(0xFFFFFFFF);
  }

  void TearDown() override {
    indices.reset();
    vertices.reset();
    RenderFixture::TearDown();
  }

  // Left-upper, right-upper, right-lower, left-lower; the texture's whole picture once.
  void FillQuad(DWORD colour) {
    const QuadVertex quad[4] = {{-1.0f, 1.0f, 0.5f, colour, 0.0f, 0.0f},
                                {1.0f, 1.0f, 0.5f, colour, 1.0f, 0.0f},
                                {1.0f, -1.0f, 0.5f, colour, 1.0f, 1.0f},
                                {-1.0f, -1.0f, 0.5f, colour, 0.0f, 1.0f}};
    void* data = nullptr;
    vertices->DoLock(0, 0, &data, 0);
    std::memcpy(data, quad, sizeof quad);
    vertices->DoUnlock();
  }

  void DrawQuad() {
    device->DoBindVertexBuffer(vertices);
    device->DoBindIndexBuffer(indices);
    device->DoRender(vertices, indices, 0);
  }

  DWORD RenderState(D3DRENDERSTATETYPE state) {
    DWORD value = 0xDEAD;
    Native()->GetRenderState(state, &value);
    return value;
  }

  DWORD StageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state) {
    DWORD value = 0xDEAD;
    Native()->GetTextureStageState(stage, state, &value);
    return value;
  }

  DWORD SamplerState(DWORD stage, D3DSAMPLERSTATETYPE state) {
    DWORD value = 0xDEAD;
    Native()->GetSamplerState(stage, state, &value);
    return value;
  }

  // The native texture that the device has on a stage.
  IDirect3DBaseTexture9* Bound(DWORD stage) {
    IDirect3DBaseTexture9* bound = nullptr;
    Native()->GetTexture(stage, &bound);
    if (bound != nullptr) bound->Release();
    return bound;
  }

  DWORD PixelAt(const std::vector<DWORD>& pixels, int x, int y) { return pixels[size_t(y) * kWidth + x]; }
  DWORD LeftUpper() { return PixelAt(BackBufferPixels(), 2, 2); }
  DWORD RightLower() { return PixelAt(BackBufferPixels(), kWidth - 3, kHeight - 3); }
  DWORD LeftLower() { return PixelAt(BackBufferPixels(), 2, kHeight - 3); }

  boost::shared_ptr<SCore::SVertexBuffer> vertices;
  boost::shared_ptr<SCore::SIndexBuffer> indices;
};

}  // namespace RenderTest
