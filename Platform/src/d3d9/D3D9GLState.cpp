#include "D3D9GLState.h"

#include "D3D9Formats.h"
#include "D3D9Texture.h"
#include "D3D9TexturePage.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>

namespace Platform {
namespace D3D9 {
namespace {

GLenum CompareFunction(DWORD function) {
  static const GLenum kFunctions[] = {GL_NEVER,   GL_NEVER,    GL_LESS,   GL_EQUAL, GL_LEQUAL,
                                      GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
  return function < 9 ? kFunctions[function] : GL_ALWAYS;
}

GLenum BlendFactor(DWORD factor) {
  static const GLenum kFactors[] = {GL_ONE,
                                    GL_ZERO,
                                    GL_ONE,
                                    GL_SRC_COLOR,
                                    GL_ONE_MINUS_SRC_COLOR,
                                    GL_SRC_ALPHA,
                                    GL_ONE_MINUS_SRC_ALPHA,
                                    GL_DST_ALPHA,
                                    GL_ONE_MINUS_DST_ALPHA,
                                    GL_DST_COLOR,
                                    GL_ONE_MINUS_DST_COLOR,
                                    GL_SRC_ALPHA_SATURATE,
                                    GL_SRC_ALPHA,
                                    GL_ONE_MINUS_SRC_ALPHA,
                                    GL_CONSTANT_COLOR,
                                    GL_ONE_MINUS_CONSTANT_COLOR};
  return factor < 16 ? kFactors[factor] : GL_ONE;
}

GLenum BlendEquation(DWORD operation) {
  static const GLenum kEquations[] = {GL_FUNC_ADD, GL_FUNC_ADD, GL_FUNC_SUBTRACT, GL_FUNC_REVERSE_SUBTRACT,
                                      GL_MIN,      GL_MAX};
  return operation < 6 ? kEquations[operation] : GL_FUNC_ADD;
}

void SetColour(GLenum target, GLenum name, D3DCOLOR colour) {
  const std::array<float, 4> rgba = ColourToFloats(colour);
  if (target == GL_FOG) {
    glFogfv(name, rgba.data());
  } else if (target == GL_BLEND) {
    glBlendColor(rgba[0], rgba[1], rgba[2], rgba[3]);
  } else {
    glTexEnvfv(target, name, rgba.data());
  }
}

void ApplyBlending(const DeviceStates& states) {
  if (states.render[D3DRS_ALPHABLENDENABLE] == FALSE) {
    glDisable(GL_BLEND);
    return;
  }
  glEnable(GL_BLEND);
  DWORD source = states.render[D3DRS_SRCBLEND];
  DWORD dest = states.render[D3DRS_DESTBLEND];
  // The "both" factors set the destination factor from the source one.
  if (source == D3DBLEND_BOTHSRCALPHA) dest = D3DBLEND_INVSRCALPHA;
  if (source == D3DBLEND_BOTHINVSRCALPHA) {
    source = D3DBLEND_INVSRCALPHA;
    dest = D3DBLEND_SRCALPHA;
  }
  glBlendFunc(BlendFactor(source), BlendFactor(dest));
  glBlendEquation(BlendEquation(states.render[D3DRS_BLENDOP]));
  SetColour(GL_BLEND, 0, states.render[D3DRS_BLENDFACTOR]);
}

void ApplyDepth(const DeviceStates& states, bool pretransformed) {
  if (states.render[D3DRS_ZENABLE] == D3DZB_FALSE) {
    glDisable(GL_DEPTH_TEST);
  } else {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(CompareFunction(states.render[D3DRS_ZFUNC]));
    glDepthMask(states.render[D3DRS_ZWRITEENABLE] != FALSE ? GL_TRUE : GL_FALSE);
  }
  // Pre-transformed vertices carry their final depth; others go through the viewport's range.
  if (pretransformed) {
    glDepthRange(0.0, 1.0);
  } else {
    glDepthRange(states.viewport.MinZ, states.viewport.MaxZ);
  }
}

void ApplyRasterisation(const DeviceStates& states, TargetSize target) {
  // In a target kept top first, vertices reach OpenGL with y growing downwards, as on the Direct3D
  // screen, so a triangle that Direct3D sees clockwise is counter-clockwise to OpenGL; a target
  // kept bottom first turns it back.
  const DWORD cull = states.render[D3DRS_CULLMODE];
  if (cull == D3DCULL_CW || cull == D3DCULL_CCW) {
    glEnable(GL_CULL_FACE);
    glFrontFace(target.rows == RowOrder::BottomFirst ? GL_CW : GL_CCW);
    glCullFace(cull == D3DCULL_CCW ? GL_BACK : GL_FRONT);
  } else {
    glDisable(GL_CULL_FACE);
  }
  const DWORD fill = states.render[D3DRS_FILLMODE];
  glPolygonMode(GL_FRONT_AND_BACK, fill == D3DFILL_POINT ? GL_POINT : fill == D3DFILL_WIREFRAME ? GL_LINE : GL_FILL);
  glShadeModel(states.render[D3DRS_SHADEMODE] == D3DSHADE_FLAT ? GL_FLAT : GL_SMOOTH);
  if (states.render[D3DRS_ALPHATESTENABLE] != FALSE) {
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(CompareFunction(states.render[D3DRS_ALPHAFUNC]), float(states.render[D3DRS_ALPHAREF] & 0xFF) / 255.0f);
  } else {
    glDisable(GL_ALPHA_TEST);
  }
  const DWORD mask = states.render[D3DRS_COLORWRITEENABLE];
  glColorMask((mask & 4) != 0, (mask & 2) != 0, (mask & 1) != 0, (mask & 8) != 0);
}

// Drawing never leaves the viewport; a viewport over the whole target needs no scissor.
void ApplyScissor(const DeviceStates& states, TargetSize target) {
  const D3DVIEWPORT9& viewport = states.viewport;
  if (viewport.X == 0 && viewport.Y == 0 && viewport.Width == target.width && viewport.Height == target.height) {
    glDisable(GL_SCISSOR_TEST);
    return;
  }
  ScissorRows(target, LONG(viewport.X), LONG(viewport.Y), LONG(viewport.X + viewport.Width),
              LONG(viewport.Y + viewport.Height));
}

void ApplyFog(const DeviceStates& states) {
  if (states.render[D3DRS_FOGENABLE] == FALSE) {
    glDisable(GL_FOG);
    return;
  }
  // The factor itself comes with each vertex (see the vertex processor).
  glEnable(GL_FOG);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogf(GL_FOG_START, 0.0f);
  glFogf(GL_FOG_END, 1.0f);
  glFogi(GL_FOG_COORD_SRC, GL_FOG_COORD);
  SetColour(GL_FOG, GL_FOG_COLOR, states.render[D3DRS_FOGCOLOR]);
}

struct CombineArgument {
  GLenum source;
  GLenum operand;
};

CombineArgument Argument(DWORD argument, bool alpha) {
  static const GLenum kSources[] = {GL_PRIMARY_COLOR, GL_PREVIOUS, GL_TEXTURE, GL_CONSTANT,
                                    GL_PRIMARY_COLOR, GL_PREVIOUS, GL_CONSTANT};
  const DWORD select = argument & D3DTA_SELECTMASK;
  const GLenum source = select < 7 ? kSources[select] : GL_PREVIOUS;
  const bool complement = (argument & D3DTA_COMPLEMENT) != 0;
  const bool replicate = alpha || (argument & D3DTA_ALPHAREPLICATE) != 0;
  GLenum operand = replicate ? (complement ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA)
                             : (complement ? GL_ONE_MINUS_SRC_COLOR : GL_SRC_COLOR);
  return {source, operand};
}

struct CombineOperation {
  GLenum mode;
  float scale;
  int interpolateSource;  // D3DTA_ value whose alpha weighs an interpolation, or -1
};

struct OperationEntry {
  DWORD op;
  CombineOperation combine;
};

// The operations the engine never asks for are missing here and drawn as a modulation.
const OperationEntry kOperations[] = {
    {D3DTOP_SELECTARG1, {GL_REPLACE, 1.0f, -1}},
    {D3DTOP_SELECTARG2, {GL_REPLACE, 1.0f, -1}},
    {D3DTOP_MODULATE, {GL_MODULATE, 1.0f, -1}},
    {D3DTOP_MODULATE2X, {GL_MODULATE, 2.0f, -1}},
    {D3DTOP_MODULATE4X, {GL_MODULATE, 4.0f, -1}},
    {D3DTOP_ADD, {GL_ADD, 1.0f, -1}},
    {D3DTOP_ADDSIGNED, {GL_ADD_SIGNED, 1.0f, -1}},
    {D3DTOP_ADDSIGNED2X, {GL_ADD_SIGNED, 2.0f, -1}},
    {D3DTOP_SUBTRACT, {GL_SUBTRACT, 1.0f, -1}},
    {D3DTOP_BLENDDIFFUSEALPHA, {GL_INTERPOLATE, 1.0f, D3DTA_DIFFUSE}},
    {D3DTOP_BLENDTEXTUREALPHA, {GL_INTERPOLATE, 1.0f, D3DTA_TEXTURE}},
    {D3DTOP_BLENDFACTORALPHA, {GL_INTERPOLATE, 1.0f, D3DTA_TFACTOR}},
    {D3DTOP_BLENDCURRENTALPHA, {GL_INTERPOLATE, 1.0f, D3DTA_CURRENT}},
};

CombineOperation Operation(DWORD op) {
  for (const OperationEntry& entry : kOperations) {
    if (entry.op == op) return entry.combine;
  }
  return {GL_MODULATE, 1.0f, -1};
}

// One half (colour or alpha) of a stage's combiner.
void ApplyCombiner(const DWORD* stage, bool alpha) {
  const DWORD op = stage[alpha ? D3DTSS_ALPHAOP : D3DTSS_COLOROP];
  const DWORD first = stage[alpha ? D3DTSS_ALPHAARG1 : D3DTSS_COLORARG1];
  const DWORD second = stage[alpha ? D3DTSS_ALPHAARG2 : D3DTSS_COLORARG2];
  // A disabled alpha operation under an enabled colour one passes the alpha on unchanged.
  const CombineOperation operation = op == D3DTOP_DISABLE ? CombineOperation{GL_REPLACE, 1.0f, -1} : Operation(op);
  const DWORD argument0 = op == D3DTOP_DISABLE ? D3DTA_CURRENT : op == D3DTOP_SELECTARG2 ? second : first;
  const CombineArgument arguments[3] = {
      Argument(argument0, alpha), Argument(second, alpha),
      Argument(DWORD(operation.interpolateSource < 0 ? 0 : operation.interpolateSource), true)};
  glTexEnvi(GL_TEXTURE_ENV, alpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB, GLint(operation.mode));
  const GLenum sources[3] = {alpha ? GLenum(GL_SOURCE0_ALPHA) : GLenum(GL_SOURCE0_RGB),
                             alpha ? GLenum(GL_SOURCE1_ALPHA) : GLenum(GL_SOURCE1_RGB),
                             alpha ? GLenum(GL_SOURCE2_ALPHA) : GLenum(GL_SOURCE2_RGB)};
  const GLenum operands[3] = {alpha ? GLenum(GL_OPERAND0_ALPHA) : GLenum(GL_OPERAND0_RGB),
                              alpha ? GLenum(GL_OPERAND1_ALPHA) : GLenum(GL_OPERAND1_RGB),
                              alpha ? GLenum(GL_OPERAND2_ALPHA) : GLenum(GL_OPERAND2_RGB)};
  for (int index = 0; index < 3; ++index) {
    glTexEnvi(GL_TEXTURE_ENV, sources[index], GLint(arguments[index].source));
    glTexEnvi(GL_TEXTURE_ENV, operands[index], GLint(arguments[index].operand));
  }
  glTexEnvf(GL_TEXTURE_ENV, alpha ? GL_ALPHA_SCALE : GL_RGB_SCALE, operation.scale);
}

GLenum Wrap(DWORD address) {
  switch (address) {
    case D3DTADDRESS_MIRROR:
      return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP:
      return GL_CLAMP_TO_EDGE;
    case D3DTADDRESS_BORDER:
      return GL_CLAMP_TO_BORDER;
    case D3DTADDRESS_MIRRORONCE:
      return GL_MIRROR_CLAMP_TO_EDGE;
    default:
      return GL_REPEAT;
  }
}

GLenum MinFilter(DWORD min, DWORD mip) {
  const bool linear = min == D3DTEXF_LINEAR || min == D3DTEXF_ANISOTROPIC;
  if (mip == D3DTEXF_NONE) return linear ? GL_LINEAR : GL_NEAREST;
  if (mip == D3DTEXF_POINT) return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
  return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
}

// The page's addressing lies in the borders around each texture in it.
void ApplySampler(std::vector<DWORD>& applied, DWORD levelCount, const DWORD* sampler, bool inPage) {
  const DWORD* samplerEnd = sampler + kSamplerStateLimit;
  if (applied.size() == kSamplerStateLimit && std::equal(sampler, samplerEnd, applied.begin())) return;
  const DWORD mag = sampler[D3DSAMP_MAGFILTER];
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER,
                  mag == D3DTEXF_LINEAR || mag == D3DTEXF_ANISOTROPIC ? GL_LINEAR : GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  GLint(MinFilter(sampler[D3DSAMP_MINFILTER], sampler[D3DSAMP_MIPFILTER])));
  if (!inPage) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GLint(Wrap(sampler[D3DSAMP_ADDRESSU])));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GLint(Wrap(sampler[D3DSAMP_ADDRESSV])));
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, ColourToFloats(sampler[D3DSAMP_BORDERCOLOR]).data());
  }
  // Direct3D takes a largest level beyond the chain as its smallest level; OpenGL would find the
  // texture incomplete.
  const DWORD largestLevel = std::min<DWORD>(sampler[D3DSAMP_MAXMIPLEVEL], levelCount - 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, GLint(largestLevel));
  // Assigned in place: after the first time the texture's record needs no new memory.
  applied.assign(sampler, samplerEnd);
}

void ApplyStageStates(const DeviceStates& states, DWORD stage) {
  glActiveTexture(GL_TEXTURE0 + stage);
  if (!StageEnabled(states, stage)) {
    glDisable(GL_TEXTURE_2D);
    return;
  }
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
  SetColour(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, states.render[D3DRS_TEXTUREFACTOR]);
  ApplyCombiner(states.stage[stage], false);
  ApplyCombiner(states.stage[stage], true);
}

void BindStageTexture(const DrawSetup& setup, DWORD stage) {
  if (!StageEnabled(*setup.states, stage)) return;
  glActiveTexture(GL_TEXTURE0 + stage);
  Texture9* texture = setup.stageTextures[stage];
  const DWORD* sampler = setup.states->sampler[stage];
  if (setup.inPage[stage]) {
    glBindTexture(GL_TEXTURE_2D, setup.page->Texture());
    ApplySampler(setup.page->AppliedSampler(), 1, sampler, true);
  } else if (texture != nullptr) {
    glBindTexture(GL_TEXTURE_2D, texture->PrepareForDrawing());
    ApplySampler(texture->AppliedSampler(), texture->GetLevelCount(), sampler, false);
  } else {
    glBindTexture(GL_TEXTURE_2D, setup.whiteTexture);
  }
}

}  // namespace

bool StageEnabled(const DeviceStates& states, DWORD stage) {
  for (DWORD earlier = 0; earlier <= stage; ++earlier) {
    if (states.stage[earlier][D3DTSS_COLOROP] == D3DTOP_DISABLE) return false;
  }
  return true;
}

void ScissorRows(TargetSize target, LONG left, LONG top, LONG right, LONG bottom) {
  glEnable(GL_SCISSOR_TEST);
  const LONG firstRow = target.rows == RowOrder::BottomFirst ? LONG(target.height) - bottom : top;
  glScissor(GLint(left), GLint(firstRow), GLsizei(right - left), GLsizei(bottom - top));
}

void ApplyDrawState(const DrawSetup& setup, bool fixedStatesCurrent) {
  const DeviceStates& states = *setup.states;
  if (!fixedStatesCurrent) {
    glDisable(GL_LIGHTING);
    ApplyBlending(states);
    ApplyDepth(states, setup.pretransformed);
    ApplyRasterisation(states, setup.target);
    ApplyScissor(states, setup.target);
    ApplyFog(states);
    for (DWORD stage = 0; stage < kDrawnStages; ++stage) ApplyStageStates(states, stage);
  }
  for (DWORD stage = 0; stage < kDrawnStages; ++stage) BindStageTexture(setup, stage);
  glActiveTexture(GL_TEXTURE0);
}

}  // namespace D3D9
}  // namespace Platform
