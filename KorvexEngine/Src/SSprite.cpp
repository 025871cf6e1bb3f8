#include "SSprite.h"

#include "SBufferLockGuard.h"
#include "SDeserializator.h"
#include "SEngineException.h"
#include "SSerializator.h"
#include "smath_matrix.h"
#include "srethrow.h"
#include "vertices.h"

#include "Platform/D3DX9.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

namespace KorvexEngine {

namespace {

const char* const kSource = ".\\Src\\SSprite";
const std::string kTypeName = "Sprite";
const WORD kQuadIndices[6] = {0, 1, 3, 1, 2, 3};
// Corner offsets in half extents, in vertex order.
const float kCornerSigns[4][2] = {{-1.0f, -1.0f}, {1.0f, -1.0f}, {1.0f, 1.0f}, {-1.0f, 1.0f}};

}  // namespace

SSprite::SSprite(const std::string& name, bool withTransform) : SMesh(name), WithTransform(withTransform) {}

SSprite::~SSprite() {
  m_IndexBuffer.reset();
  m_VertexBuffer.reset();
}

void SSprite::SetPosition(float x, float y) {
  Position.X = x;
  Position.Y = y;
  if (!WithTransform) CacheValid = false;
}

void SSprite::SetSize(float width, float height) {
  Position.Width = width;
  Position.Height = height;
  if (!WithTransform) CacheValid = false;
}

void SSprite::SetWithTransform(bool withTransform) {
  WithTransform = withTransform;
  CacheValid = false;
}

void SSprite::DoCreate(const boost::shared_ptr<SCore::SViewport>&) {}

const std::string& SSprite::GetTypeName() { return kTypeName; }

std::list<STriangle>& SSprite::DoGetTriangles() {
  KORVEX_TRY
    throw SEngineException("not implemented");
  KORVEX_RETHROW("SSprite::DoGetTriangles()", kSource)
}

void SSprite::CheckAlignment() const {
  if (CoordAligment > 1) throw SEngineException("CoordAligment must be 0 (centre) or 1 (left-upper corner)");
}

unsigned int SSprite::VertexSizeOfSpace() const {
  return WithTransform ? sizeof(SVertexXYZDiffuseTex1) : sizeof(SVertexXYZRHWDiffuseTex1);
}

bool SSprite::BufferMatchesSpace() const { return m_VertexBuffer && m_VertexBuffer->VertexSize == VertexSizeOfSpace(); }

void SSprite::CreateVertexBuffer() {
  const DWORD fvf = WithTransform ? SVertexXYZDiffuseTex1::Fvf : SVertexXYZRHWDiffuseTex1::Fvf;
  m_VertexBuffer.reset();
  m_VertexBuffer = m_Viewport->DoCreateVertexBuffer(4, VertexSizeOfSpace(), fvf, D3DPT_TRIANGLELIST, D3DUSAGE_WRITEONLY);
}

void SSprite::CreateIndexBuffer() {
  m_IndexBuffer = m_Viewport->DoCreateIndexBuffer(6, D3DFMT_INDEX16, D3DUSAGE_WRITEONLY);
}

// A buffer of the other space's layout is replaced, so that a sprite may change its space.
void SSprite::Precashing() {
  KORVEX_TRY
    CacheValid = false;
    if (!BufferMatchesSpace()) CreateVertexBuffer();
    {
      SBufferLockGuard<SCore::SVertexBuffer> lock(*m_VertexBuffer);
      FillVertexData(lock.Data());
      lock.Unlock();
    }
    if (!m_IndexBuffer) CreateIndexBuffer();
    {
      SBufferLockGuard<SCore::SIndexBuffer> lock(*m_IndexBuffer);
      FillIndexData(lock.Data());
      lock.Unlock();
    }
    CacheValid = true;
  KORVEX_RETHROW("SSprite::Precashing()", kSource)
}

SSprite::Corners SSprite::ScreenCorners() const {
  const float targetWidth = float(RenderDevice()->GetWidth());
  const float targetHeight = float(RenderDevice()->GetHeight());
  const float halfWidth = Position.Width * 0.5f * XScaleFactor;
  const float halfHeight = Position.Height * 0.5f * YScaleFactor;
  Corners corners;
  if (Angle != 0.0f) {
    // Turns about (X, Y) whatever the alignment; the rotation is done in fractions of the target.
    const float cosine = std::cos(Angle);
    const float sine = std::sin(Angle);
    for (int i = 0; i < 4; ++i) {
      const float dx = kCornerSigns[i][0] * halfWidth;
      const float dy = kCornerSigns[i][1] * halfHeight;
      corners[i] = {(dx * cosine + Position.X - dy * sine) * targetWidth,
                    (dy * cosine + dx * sine + Position.Y) * targetHeight};
    }
    return corners;
  }
  float left, right, top, bottom;
  if (CoordAligment == 0) {
    left = (Position.X - halfWidth) * targetWidth;
    right = (Position.X + halfWidth) * targetWidth;
    top = (Position.Y - halfHeight) * targetHeight;
    bottom = (Position.Y + halfHeight) * targetHeight;
  } else {
    left = Position.X * targetWidth;
    right = (Position.X + XScaleFactor * Position.Width) * targetWidth;
    top = Position.Y * targetHeight;
    bottom = (Position.Y + YScaleFactor * Position.Height) * targetHeight;
  }
  return Corners{{{left, top}, {right, top}, {right, bottom}, {left, bottom}}};
}

// The unit frame puts the reference point at (-1, 1) with the target two units across; the world
// matrix scales by the size and moves the quad at draw time.
SSprite::Corners SSprite::WorldCorners() const {
  const float halfX = XScaleFactor * 0.5f;
  const float halfY = YScaleFactor * 0.5f;
  Corners corners;
  if (Angle != 0.0f || CoordAligment == 0) {
    // A turned quad turns about its centre for either alignment, as it does in screen space.
    const float cosine = std::cos(Angle);
    const float sine = std::sin(Angle);
    for (int i = 0; i < 4; ++i) {
      const float dx = kCornerSigns[i][0] * halfX;
      const float dy = kCornerSigns[i][1] * halfY;
      corners[i] = {2.0f * (dx * cosine - dy * sine) - 1.0f, 1.0f - 2.0f * (dx * sine + dy * cosine)};
    }
    return corners;
  }
  const float right = 2.0f * XScaleFactor - 1.0f;
  const float bottom = 1.0f - 2.0f * YScaleFactor;
  return Corners{{{-1.0f, 1.0f}, {right, 1.0f}, {right, bottom}, {-1.0f, bottom}}};
}

void SSprite::ApplyFlips(Corners& corners) const {
  if (FlipHorizontal) {
    std::swap(corners[0].X, corners[1].X);
    std::swap(corners[2].X, corners[3].X);
  }
  if (FlipVertical) {
    std::swap(corners[0].Y, corners[2].Y);
    std::swap(corners[1].Y, corners[3].Y);
  }
}

void SSprite::FillVertexData(void* pVData) {
  KORVEX_TRY
    assert(pVData != 0 && "pVData != 0");
    CheckAlignment();
    Corners corners = WithTransform ? WorldCorners() : ScreenCorners();
    ApplyFlips(corners);
    const DWORD colours[4] = {ColorLU, ColorRU, ColorRD, ColorLD};
    const float u[4] = {TexCoords.X, TexCoords.Width, TexCoords.Width, TexCoords.X};
    const float v[4] = {TexCoords.Y, TexCoords.Y, TexCoords.Height, TexCoords.Height};
    for (int i = 0; i < 4; ++i) {
      if (WithTransform)
        static_cast<SVertexXYZDiffuseTex1*>(pVData)[i] = {corners[i].X, corners[i].Y, 1.0f, colours[i], u[i], v[i]};
      else
        static_cast<SVertexXYZRHWDiffuseTex1*>(pVData)[i] = {corners[i].X, corners[i].Y, 0.0f, 1.0f,
                                                             colours[i],   u[i],         v[i]};
    }
  KORVEX_RETHROW("SSprite::FillVertexData()", kSource)
}

void SSprite::FillIndexData(void* pIData) {
  assert(pIData != 0 && "pIData != 0");
  std::copy(std::begin(kQuadIndices), std::end(kQuadIndices), static_cast<WORD*>(pIData));
}

void SSprite::DoRender(const SCore::SMatrix* matrix) {
  if (!CacheValid || !BufferMatchesSpace()) Precashing();
  const boost::shared_ptr<SCore::SRenderDevice>& device = RenderDevice();
  device->DoBindVertexBuffer(m_VertexBuffer);
  device->DoBindIndexBuffer(m_IndexBuffer);
  if (WithTransform)
    DrawInWorldSpace(matrix);
  else
    device->DoRender(m_VertexBuffer, m_IndexBuffer, 0);
}

void SSprite::DrawInWorldSpace(const SCore::SMatrix* matrix) {
  const boost::shared_ptr<SCore::SRenderDevice>& device = RenderDevice();
  static const D3DTRANSFORMSTATETYPE kStates[3] = {D3DTS_WORLD, D3DTS_VIEW, D3DTS_PROJECTION};
  for (D3DTRANSFORMSTATETYPE state : kStates) device->DoPushTransform(state);
  D3DXMATRIX placement;
  D3DXMatrixTranslation(&placement, 2.0f * Position.X - (1.0f - Position.Width),
                        (1.0f - Position.Height) - 2.0f * Position.Y, 0.0f);
  placement._11 = Position.Width;
  placement._22 = Position.Height;
  SCore::SMatrix placed;
  std::memcpy(&placed.f11, &placement._11, 16 * sizeof(float));
  SCore::SMatrix world;
  SCore::SMatrixMultiply(&world, &placed, matrix);
  const SCore::SMatrix identity = SCore::SMatrixIdentity();
  device->DoSetTransform(D3DTS_WORLD, &world);
  device->DoSetTransform(D3DTS_VIEW, &identity);
  device->DoSetTransform(D3DTS_PROJECTION, &identity);
  device->DoRender(m_VertexBuffer, m_IndexBuffer, 0);
  for (int i = 2; i >= 0; --i) device->DoPopTransform(kStates[i]);
}

void SSprite::RefreshAABB() {
  KORVEX_TRY
    CheckAlignment();
    const float targetWidth = float(RenderDevice()->GetWidth());
    const float targetHeight = float(RenderDevice()->GetHeight());
    const float halfWidth = Position.Width * 0.5f;
    const float halfHeight = Position.Height * 0.5f;
    float minX, minY, maxX, maxY;
    if (Angle != 0.0f) {
      // The turned corners are stored as they come, not sorted.
      const float cosine = std::cos(Angle);
      const float sine = std::sin(Angle);
      minX = (-halfWidth * cosine + Position.X + halfHeight * sine) * targetWidth;
      minY = (-halfHeight * cosine - halfWidth * sine + Position.Y) * targetHeight;
      maxX = (halfWidth * cosine + Position.X - halfHeight * sine) * targetWidth;
      maxY = (halfHeight * cosine + halfWidth * sine + Position.Y) * targetHeight;
    } else if (CoordAligment == 0) {
      minX = (Position.X - halfWidth) * targetWidth;
      minY = (Position.Y - halfHeight) * targetHeight;
      maxX = (Position.X + halfWidth) * targetWidth;
      maxY = (Position.Y + halfHeight) * targetHeight;
    } else {
      minX = Position.X * targetWidth;
      minY = Position.Y * targetHeight;
      maxX = (Position.X + Position.Width) * targetWidth;
      maxY = (Position.Y + Position.Height) * targetHeight;
    }
    AABB = SCore::SAABBox{minX, minY, 0.0f, maxX, maxY, 0.0f};
  KORVEX_RETHROW("SSprite::RefreshAABB()", kSource)
}

void SSprite::DoSerialize(SCore::SSerializator& serializator) {
  KORVEX_TRY
    SSerializator(serializator);
  KORVEX_RETHROW("SSprite::DoSerialize()", kSource)
}

void SSprite::DoDeserialize(SCore::SDeserializator& deserializator) {
  KORVEX_TRY
    deserializator.DoBeginChild(kTypeName);
    SDeserializator(deserializator);
    deserializator.DoEndChild();
  KORVEX_RETHROW("SSprite::DoDeserialize()", kSource)
}

void SSprite::DoDeserialize(SCore::SDeserializator& deserializator, unsigned int index) {
  KORVEX_TRY
    deserializator.DoBeginChild(index);
    SDeserializator(deserializator);
    deserializator.DoEndChild();
  KORVEX_RETHROW("SSprite::DoDeserialize()", kSource)
}

// One table drives both directions, so that the writer and the reader always agree on names and order.
template <typename Visit>
static void ForEachSpriteValue(SSprite& sprite, Visit&& visit) {
  visit("ColorLU", sprite.ColorLU);
  visit("ColorRU", sprite.ColorRU);
  visit("ColorLD", sprite.ColorLD);
  visit("ColorRD", sprite.ColorRD);
  visit("Angle", sprite.Angle);
  visit("Position", sprite.Position);
  visit("TexCoords", sprite.TexCoords);
  visit("CoordAligment", sprite.CoordAligment);
  visit("WithTransform", sprite.WithTransform);
  visit("FlipHorizontal", sprite.FlipHorizontal);
  visit("FlipVertical", sprite.FlipVertical);
  visit("XScaleFactor", sprite.XScaleFactor);
  visit("YScaleFactor", sprite.YScaleFactor);
}

void SSprite::SSerializator(SCore::SSerializator& serializator) {
  KORVEX_TRY
    serializator.DoBeginChild(kTypeName);
    ForEachSpriteValue(*this, [&](const char* name, auto& value) { serializator.DoSerialize(name, value); });
    serializator.DoBeginChild("Mesh");
    SerializeBase(serializator);
    serializator.DoEndChild();
    serializator.DoEndChild();
  KORVEX_RETHROW("SSprite::SSerializator()", kSource)
}

void SSprite::SDeserializator(SCore::SDeserializator& deserializator) {
  ForEachSpriteValue(*this, [&](const char* name, auto& value) { deserializator.DoDeserialize(name, value); });
  deserializator.DoBeginChild("Mesh");
  DeserializeBase(deserializator);
  deserializator.DoEndChild();
}

}  // namespace KorvexEngine
