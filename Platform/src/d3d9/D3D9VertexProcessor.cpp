#include "D3D9VertexProcessor.h"

#include "D3D9Formats.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Platform {
namespace D3D9 {
namespace {

constexpr DWORD kOpaqueWhite = 0xFFFFFFFF;

float ReadFloat(const BYTE* at) {
  float value = 0.0f;
  std::memcpy(&value, at, sizeof value);
  return value;
}

void RowTimesMatrix(const float* row, const D3DMATRIX& matrix, float* out) {
  for (int column = 0; column < 4; ++column) {
    out[column] = row[0] * matrix.m[0][column] + row[1] * matrix.m[1][column] + row[2] * matrix.m[2][column] +
                  row[3] * matrix.m[3][column];
  }
}

float Clamp01(float value) { return std::min(1.0f, std::max(0.0f, value)); }

}  // namespace

D3DMATRIX Multiply(const D3DMATRIX& left, const D3DMATRIX& right) {
  D3DMATRIX result{};
  for (int row = 0; row < 4; ++row) RowTimesMatrix(left.m[row], right, result.m[row]);
  return result;
}

bool VertexLayout::Decode(DWORD fvf, VertexLayout* layout) {
  const DWORD position = fvf & D3DFVF_POSITION_MASK;
  if (position != D3DFVF_XYZ && position != D3DFVF_XYZRHW) return false;
  VertexLayout result;
  result.pretransformed = position == D3DFVF_XYZRHW;
  UINT offset = result.pretransformed ? 16 : 12;
  if ((fvf & D3DFVF_NORMAL) != 0) {
    result.hasNormal = true;
    offset += 12;
  }
  if ((fvf & D3DFVF_PSIZE) != 0) offset += 4;
  if ((fvf & D3DFVF_DIFFUSE) != 0) {
    result.diffuseOffset = static_cast<int>(offset);
    offset += 4;
  }
  if ((fvf & D3DFVF_SPECULAR) != 0) {
    result.specularOffset = static_cast<int>(offset);
    offset += 4;
  }
  result.texOffset = offset;
  result.texCount = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
  if (result.texCount > 8) return false;
  // Texture coordinate sets here are always two floats; the size bits above them must be clear.
  if ((fvf & 0xFFFF0000u) != 0) return false;
  result.size = offset + result.texCount * 8;
  *layout = result;
  return true;
}

void ProcessedVertices::Resize(size_t count) {
  positions.resize(count * 4);
  colours.resize(count * 4);
  for (auto& coords : texCoords) coords.resize(count * 2);
  fogCoords.resize(count);
}

float PixelCentreShift(int subpixelBits) {
  // A driver that answers nothing sensible is taken to snap as finely as most do.
  const int bits = subpixelBits >= 1 && subpixelBits <= 16 ? subpixelBits : 8;
  return 0.5f - std::ldexp(1.0f, -bits);
}

VertexProcessor::VertexProcessor(const DeviceStates& states, const VertexLayout& layout, TargetSize target,
                                 float centreShift)
    : m_states(states), m_layout(layout), m_target(target), m_centreShift(centreShift) {
  m_worldView = Multiply(states.world[0], states.view);
  m_worldViewProjection = Multiply(m_worldView, states.projection);
  m_perspective = states.projection._34 != 0.0f;
}

void VertexProcessor::Process(const BYTE* data, UINT stride, UINT count, ProcessedVertices* out) const {
  out->Resize(count);
  const bool fog = m_states.render[D3DRS_FOGENABLE] != FALSE;
  for (UINT index = 0; index < count; ++index) {
    const BYTE* vertex = data + size_t(index) * stride;
    float position[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    const int floats = m_layout.pretransformed ? 4 : 3;
    for (int axis = 0; axis < floats; ++axis) position[axis] = ReadFloat(vertex + axis * 4);
    const ScreenPosition screen =
        m_layout.pretransformed ? PretransformedPosition(position) : TransformPosition(position);
    ToClipSpace(screen, &out->positions[index * 4]);
    const DWORD colour = VertexColour(vertex);
    out->colours[index * 4 + 0] = static_cast<std::uint8_t>(colour >> 16);
    out->colours[index * 4 + 1] = static_cast<std::uint8_t>(colour >> 8);
    out->colours[index * 4 + 2] = static_cast<std::uint8_t>(colour);
    out->colours[index * 4 + 3] = static_cast<std::uint8_t>(colour >> 24);
    for (DWORD stage = 0; stage < kDrawnStages; ++stage) TexCoords(vertex, stage, &out->texCoords[stage][index * 2]);
    out->fogCoords[index] = fog ? 1.0f - FogFactor(vertex, screen) : 0.0f;
  }
}

VertexProcessor::ScreenPosition VertexProcessor::TransformPosition(const float* position) const {
  const float row[4] = {position[0], position[1], position[2], 1.0f};
  float clip[4];
  RowTimesMatrix(row, m_worldViewProjection, clip);
  float view[4];
  RowTimesMatrix(row, m_worldView, view);
  const D3DVIEWPORT9& viewport = m_states.viewport;
  const float w = clip[3];
  ScreenPosition screen{};
  screen.x = float(viewport.X) * w + (clip[0] + w) * float(viewport.Width) * 0.5f;
  screen.y = float(viewport.Y) * w + (w - clip[1]) * float(viewport.Height) * 0.5f;
  // Depth stays in 0..w here; the viewport's depth range is OpenGL's depth range.
  screen.z = clip[2];
  screen.w = w;
  screen.viewDistance = m_states.render[D3DRS_RANGEFOGENABLE] != FALSE
                            ? std::sqrt(view[0] * view[0] + view[1] * view[1] + view[2] * view[2])
                            : std::fabs(view[2]);
  screen.depth = m_perspective ? w : (w != 0.0f ? clip[2] / w : 0.0f);
  return screen;
}

VertexProcessor::ScreenPosition VertexProcessor::PretransformedPosition(const float* position) const {
  const float rhw = position[3];
  const float w = rhw != 0.0f ? 1.0f / rhw : 1.0f;
  ScreenPosition screen{};
  screen.x = position[0] * w;
  screen.y = position[1] * w;
  screen.z = position[2] * w;
  screen.w = w;
  screen.viewDistance = 0.0f;
  screen.depth = m_perspective ? w : position[2];
  return screen;
}

void VertexProcessor::ToClipSpace(const ScreenPosition& screen, float* out) const {
  const float w = screen.w;
  out[0] = 2.0f * (screen.x + m_centreShift * w) / float(m_target.width) - w;
  const float y = 2.0f * (screen.y + m_centreShift * w) / float(m_target.height) - w;
  // Negation is exact: a target drawn bottom first holds the very rows of one drawn top first.
  out[1] = m_target.rows == RowOrder::BottomFirst ? -y : y;
  out[2] = 2.0f * screen.z - w;
  out[3] = w;
}

DWORD VertexProcessor::VertexColour(const BYTE* vertex) const {
  const bool hasDiffuse = m_layout.diffuseOffset >= 0;
  const DWORD diffuse = hasDiffuse ? ReadDword(vertex + m_layout.diffuseOffset) : kOpaqueWhite;
  const bool lit = !m_layout.pretransformed && m_states.render[D3DRS_LIGHTING] != FALSE;
  if (!lit) return diffuse;
  // No light is ever set: colour is the ambient term of a black material; alpha comes from the
  // diffuse material, which is the vertex colour when the device is told so, else zero.
  const bool alphaFromVertex = hasDiffuse && m_states.render[D3DRS_COLORVERTEX] != FALSE &&
                               m_states.render[D3DRS_DIFFUSEMATERIALSOURCE] == D3DMCS_COLOR1;
  return alphaFromVertex ? (diffuse & 0xFF000000u) : 0u;
}

void VertexProcessor::TexCoords(const BYTE* vertex, DWORD stage, float* uv) const {
  const DWORD set = m_states.stage[stage][D3DTSS_TEXCOORDINDEX] & 0xFFFF;
  float u = 0.0f;
  float v = 0.0f;
  if (set < m_layout.texCount) {
    u = ReadFloat(vertex + m_layout.texOffset + set * 8);
    v = ReadFloat(vertex + m_layout.texOffset + set * 8 + 4);
  }
  const DWORD flags = m_states.stage[stage][D3DTSS_TEXTURETRANSFORMFLAGS] & 0xFF;
  // Direct3D 9 never transforms the coordinates of pre-transformed vertices.
  if (flags != D3DTTFF_DISABLE && !m_layout.pretransformed) {
    // Two coordinates enter as (u, v, 1, 0): the translation lies in the third row.
    const D3DMATRIX& matrix = m_states.texture[stage];
    uv[0] = u * matrix._11 + v * matrix._21 + matrix._31;
    uv[1] = u * matrix._12 + v * matrix._22 + matrix._32;
    return;
  }
  uv[0] = u;
  uv[1] = v;
}

float VertexProcessor::FogFactor(const BYTE* vertex, const ScreenPosition& screen) const {
  const DWORD tableMode = m_states.render[D3DRS_FOGTABLEMODE];
  const DWORD vertexMode = m_states.render[D3DRS_FOGVERTEXMODE];
  float distance = 0.0f;
  DWORD mode = D3DFOG_NONE;
  if (tableMode != D3DFOG_NONE) {
    mode = tableMode;
    distance = screen.depth;
  } else if (vertexMode != D3DFOG_NONE && !m_layout.pretransformed) {
    mode = vertexMode;
    distance = screen.viewDistance;
  }
  if (mode == D3DFOG_NONE) {
    // Without a fog mode the factor is what the vertex brings in its specular alpha.
    if (m_layout.specularOffset < 0) return 1.0f;
    return float(ReadDword(vertex + m_layout.specularOffset) >> 24) / 255.0f;
  }
  const float start = BitsFloat(m_states.render[D3DRS_FOGSTART]);
  const float end = BitsFloat(m_states.render[D3DRS_FOGEND]);
  const float density = BitsFloat(m_states.render[D3DRS_FOGDENSITY]);
  switch (mode) {
    case D3DFOG_LINEAR:
      return end == start ? (distance < end ? 1.0f : 0.0f) : Clamp01((end - distance) / (end - start));
    case D3DFOG_EXP:
      return Clamp01(std::exp(-density * distance));
    case D3DFOG_EXP2:
      return Clamp01(std::exp(-(density * distance) * (density * distance)));
    default:
      return 1.0f;
  }
}

}  // namespace D3D9
}  // namespace Platform
