#include "D3D9States.h"

#include <cstring>

namespace Platform {
namespace D3D9 {
namespace {

struct StateDefault {
  DWORD state;
  DWORD value;
};

constexpr DWORD kOneFloat = 0x3F800000;  // 1.0f

// Every render state the device accepts, with its value after creation; ZENABLE depends on the
// automatic depth buffer and is set apart.
constexpr StateDefault kRenderDefaults[] = {
    {D3DRS_ZENABLE, D3DZB_TRUE},
    {D3DRS_FILLMODE, D3DFILL_SOLID},
    {D3DRS_SHADEMODE, D3DSHADE_GOURAUD},
    {D3DRS_ZWRITEENABLE, TRUE},
    {D3DRS_ALPHATESTENABLE, FALSE},
    {D3DRS_LASTPIXEL, TRUE},
    {D3DRS_SRCBLEND, D3DBLEND_ONE},
    {D3DRS_DESTBLEND, D3DBLEND_ZERO},
    {D3DRS_CULLMODE, D3DCULL_CCW},
    {D3DRS_ZFUNC, D3DCMP_LESSEQUAL},
    {D3DRS_ALPHAREF, 0},
    {D3DRS_ALPHAFUNC, D3DCMP_ALWAYS},
    {D3DRS_DITHERENABLE, FALSE},
    {D3DRS_ALPHABLENDENABLE, FALSE},
    {D3DRS_FOGENABLE, FALSE},
    {D3DRS_SPECULARENABLE, FALSE},
    {D3DRS_FOGCOLOR, 0},
    {D3DRS_FOGTABLEMODE, D3DFOG_NONE},
    {D3DRS_FOGSTART, 0},
    {D3DRS_FOGEND, kOneFloat},
    {D3DRS_FOGDENSITY, kOneFloat},
    {D3DRS_RANGEFOGENABLE, FALSE},
    {D3DRS_STENCILENABLE, FALSE},
    {D3DRS_STENCILFAIL, 1},
    {D3DRS_STENCILZFAIL, 1},
    {D3DRS_STENCILPASS, 1},
    {D3DRS_STENCILFUNC, D3DCMP_ALWAYS},
    {D3DRS_STENCILREF, 0},
    {D3DRS_STENCILMASK, 0xFFFFFFFF},
    {D3DRS_STENCILWRITEMASK, 0xFFFFFFFF},
    {D3DRS_TEXTUREFACTOR, 0xFFFFFFFF},
    {D3DRS_CLIPPING, TRUE},
    {D3DRS_LIGHTING, TRUE},
    {D3DRS_AMBIENT, 0},
    {D3DRS_FOGVERTEXMODE, D3DFOG_NONE},
    {D3DRS_COLORVERTEX, TRUE},
    {D3DRS_LOCALVIEWER, TRUE},
    {D3DRS_NORMALIZENORMALS, FALSE},
    {D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1},
    {D3DRS_SPECULARMATERIALSOURCE, D3DMCS_COLOR2},
    {D3DRS_AMBIENTMATERIALSOURCE, D3DMCS_MATERIAL},
    {D3DRS_EMISSIVEMATERIALSOURCE, D3DMCS_MATERIAL},
    {D3DRS_COLORWRITEENABLE, 0xF},
    {D3DRS_BLENDOP, D3DBLENDOP_ADD},
    {D3DRS_SCISSORTESTENABLE, FALSE},
    {D3DRS_BLENDFACTOR, 0xFFFFFFFF},
    {D3DRS_SEPARATEALPHABLENDENABLE, FALSE},
    {D3DRS_SRCBLENDALPHA, D3DBLEND_ONE},
    {D3DRS_DESTBLENDALPHA, D3DBLEND_ZERO},
    {D3DRS_BLENDOPALPHA, D3DBLENDOP_ADD},
};

constexpr DWORD kStageStates[] = {D3DTSS_COLOROP,        D3DTSS_COLORARG1,
                                  D3DTSS_COLORARG2,      D3DTSS_ALPHAOP,
                                  D3DTSS_ALPHAARG1,      D3DTSS_ALPHAARG2,
                                  D3DTSS_BUMPENVMAT00,   D3DTSS_BUMPENVMAT01,
                                  D3DTSS_BUMPENVMAT10,   D3DTSS_BUMPENVMAT11,
                                  D3DTSS_TEXCOORDINDEX,  D3DTSS_BUMPENVLSCALE,
                                  D3DTSS_BUMPENVLOFFSET, D3DTSS_TEXTURETRANSFORMFLAGS,
                                  D3DTSS_COLORARG0,      D3DTSS_ALPHAARG0,
                                  D3DTSS_RESULTARG,      D3DTSS_CONSTANT};

constexpr StateDefault kSamplerDefaults[] = {{D3DSAMP_ADDRESSU, D3DTADDRESS_WRAP},
                                             {D3DSAMP_ADDRESSV, D3DTADDRESS_WRAP},
                                             {D3DSAMP_ADDRESSW, D3DTADDRESS_WRAP},
                                             {D3DSAMP_BORDERCOLOR, 0},
                                             {D3DSAMP_MAGFILTER, D3DTEXF_POINT},
                                             {D3DSAMP_MINFILTER, D3DTEXF_POINT},
                                             {D3DSAMP_MIPFILTER, D3DTEXF_NONE},
                                             {D3DSAMP_MIPMAPLODBIAS, 0},
                                             {D3DSAMP_MAXMIPLEVEL, 0},
                                             {D3DSAMP_MAXANISOTROPY, 1},
                                             {D3DSAMP_SRGBTEXTURE, 0},
                                             {D3DSAMP_ELEMENTINDEX, 0},
                                             {D3DSAMP_DMAPOFFSET, 0}};

void SetStageDefaults(DWORD stage, DWORD* states) {
  states[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
  states[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
  states[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
  states[D3DTSS_COLORARG2] = D3DTA_CURRENT;
  states[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
  states[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
  states[D3DTSS_TEXCOORDINDEX] = stage;
  states[D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_DISABLE;
  states[D3DTSS_COLORARG0] = D3DTA_CURRENT;
  states[D3DTSS_ALPHAARG0] = D3DTA_CURRENT;
  states[D3DTSS_RESULTARG] = D3DTA_CURRENT;
}

}  // namespace

D3DMATRIX IdentityMatrix() {
  D3DMATRIX matrix{};
  matrix._11 = matrix._22 = matrix._33 = matrix._44 = 1.0f;
  return matrix;
}

DWORD FloatBits(float value) {
  DWORD bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

float BitsFloat(DWORD bits) {
  float value = 0.0f;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void DeviceStates::SetDefaults(bool autoDepthStencil, UINT targetWidth, UINT targetHeight) {
  render.fill(0);
  for (const StateDefault& entry : kRenderDefaults) render[entry.state] = entry.value;
  render[D3DRS_ZENABLE] = autoDepthStencil ? D3DZB_TRUE : D3DZB_FALSE;
  for (DWORD stageIndex = 0; stageIndex < kStageCount; ++stageIndex) {
    std::fill(std::begin(stage[stageIndex]), std::end(stage[stageIndex]), 0u);
    SetStageDefaults(stageIndex, stage[stageIndex]);
  }
  for (DWORD samplerIndex = 0; samplerIndex < kSamplerCount; ++samplerIndex) {
    for (const StateDefault& entry : kSamplerDefaults) sampler[samplerIndex][entry.state] = entry.value;
  }
  world.fill(IdentityMatrix());
  view = IdentityMatrix();
  projection = IdentityMatrix();
  for (D3DMATRIX& matrix : texture) matrix = IdentityMatrix();
  viewport = D3DVIEWPORT9{0, 0, targetWidth, targetHeight, 0.0f, 1.0f};
  fvf = 0;
}

bool DeviceStates::IsRenderState(DWORD state) {
  for (const StateDefault& entry : kRenderDefaults) {
    if (entry.state == state) return true;
  }
  return false;
}

bool DeviceStates::IsStageState(DWORD type) {
  for (DWORD known : kStageStates) {
    if (known == type) return true;
  }
  return false;
}

bool DeviceStates::IsSamplerState(DWORD type) { return type >= D3DSAMP_ADDRESSU && type <= D3DSAMP_DMAPOFFSET; }

D3DMATRIX* DeviceStates::Transform(DWORD state) {
  if (state == D3DTS_VIEW) return &view;
  if (state == D3DTS_PROJECTION) return &projection;
  if (state >= D3DTS_TEXTURE0 && state <= D3DTS_TEXTURE7) return &texture[state - D3DTS_TEXTURE0];
  if (state >= D3DTS_WORLD && state < D3DTS_WORLD + kWorldMatrixCount) return &world[state - D3DTS_WORLD];
  return nullptr;
}

}  // namespace D3D9
}  // namespace Platform
