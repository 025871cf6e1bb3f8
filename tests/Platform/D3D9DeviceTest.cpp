#include <cmath>

#include "D3D9Fixture.h"

using D3D9Test::DeviceFixture;
using D3D9Test::WindowedParameters;

namespace {

class Direct3DObject : public ::testing::Test {
 protected:
  void SetUp() override {
    d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);
  }
  void TearDown() override {
    Platform::Testing::ClearFailures();
    Platform::Testing::UseRealAdapters();
    d3d->Release();
  }
  IDirect3D9* d3d = nullptr;
};

TEST(Direct3DCreate, RefusesAnotherSdkVersion) { EXPECT_EQ(Direct3DCreate9(D3D_SDK_VERSION + 1), nullptr); }

TEST_F(Direct3DObject, AdapterShowsTheDesktopModeAmongItsModes) {
  ASSERT_GE(d3d->GetAdapterCount(), 1u);
  D3DDISPLAYMODE desktop{};
  ASSERT_EQ(d3d->GetAdapterDisplayMode(0, &desktop), D3D_OK);
  EXPECT_TRUE(desktop.Format == D3DFMT_X8R8G8B8 || desktop.Format == D3DFMT_R5G6B5);
  EXPECT_GT(desktop.Width, 0u);
  const UINT count = d3d->GetAdapterModeCount(0, desktop.Format);
  ASSERT_GE(count, 1u);
  bool found = false;
  for (UINT index = 0; index < count; ++index) {
    D3DDISPLAYMODE mode{};
    ASSERT_EQ(d3d->EnumAdapterModes(0, desktop.Format, index, &mode), D3D_OK);
    EXPECT_EQ(mode.Format, desktop.Format);
    found = found || (mode.Width == desktop.Width && mode.Height == desktop.Height);
  }
  EXPECT_TRUE(found);
  D3DDISPLAYMODE unused{};
  EXPECT_EQ(d3d->EnumAdapterModes(0, desktop.Format, count, &unused), D3DERR_INVALIDCALL);
  const UINT missing = d3d->GetAdapterCount();
  EXPECT_EQ(d3d->GetAdapterDisplayMode(missing, &unused), D3DERR_INVALIDCALL);
  D3DADAPTER_IDENTIFIER9 identifier{};
  EXPECT_EQ(d3d->GetAdapterIdentifier(missing, 0, &identifier), D3DERR_INVALIDCALL);
  EXPECT_EQ(d3d->GetAdapterIdentifier(0, 0, &identifier), D3D_OK);
}

TEST_F(Direct3DObject, CapsOfferImmediatePresentationOnAPureDevice) {
  D3DCAPS9 caps{};
  ASSERT_EQ(d3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps), D3D_OK);
  EXPECT_EQ(caps.DeviceType, D3DDEVTYPE_HAL);
  EXPECT_NE(caps.PresentationIntervals & D3DPRESENT_INTERVAL_IMMEDIATE, 0u);
  EXPECT_NE(caps.PresentationIntervals & D3DPRESENT_INTERVAL_ONE, 0u);
  EXPECT_NE(caps.DevCaps & D3DDEVCAPS_PUREDEVICE, 0u);
  EXPECT_EQ(d3d->GetDeviceCaps(d3d->GetAdapterCount(), D3DDEVTYPE_HAL, &caps), D3DERR_INVALIDCALL);
  Platform::Testing::FailNextCall("GetDeviceCaps", D3DERR_INVALIDDEVICE);
  EXPECT_EQ(d3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps), D3DERR_INVALIDDEVICE);
  EXPECT_EQ(d3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps), D3D_OK);
}

TEST_F(Direct3DObject, FormatChecksAcceptDepthAndRenderTargetFormatsOnly) {
  struct Case {
    DWORD usage;
    D3DRESOURCETYPE type;
    D3DFORMAT format;
    HRESULT expected;
  };
  const Case cases[] = {
      {D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DFMT_D32, D3D_OK},
      {D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DFMT_D16, D3D_OK},
      {D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DFMT_A8R8G8B8, D3DERR_NOTAVAILABLE},
      {D3DUSAGE_RENDERTARGET, D3DRTYPE_TEXTURE, D3DFMT_A8R8G8B8, D3D_OK},
      {D3DUSAGE_RENDERTARGET, D3DRTYPE_TEXTURE, D3DFMT_A1R5G5B5, D3DERR_NOTAVAILABLE},
      {0, D3DRTYPE_TEXTURE, D3DFMT_A1R5G5B5, D3D_OK},
      {0, D3DRTYPE_TEXTURE, D3DFMT_DXT1, D3DERR_NOTAVAILABLE},
  };
  for (const Case& entry : cases) {
    EXPECT_EQ(d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, entry.usage, entry.type, entry.format),
              entry.expected)
        << entry.format;
  }
  EXPECT_EQ(d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_A8, 0, D3DRTYPE_TEXTURE, D3DFMT_A8R8G8B8),
            D3DERR_INVALIDCALL);
  EXPECT_EQ(d3d->CheckDepthStencilMatch(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_D32), D3D_OK);
  EXPECT_EQ(d3d->CheckDepthStencilMatch(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_L8),
            D3DERR_NOTAVAILABLE);
}

class DeviceCreation : public Direct3DObject {
 protected:
  void SetUp() override {
    Direct3DObject::SetUp();
    window = CreateWindowExA(0, "Test", "Test", WS_POPUP, 0, 0, 32, 24, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    DestroyWindow(window);
    Direct3DObject::TearDown();
  }
  HRESULT Create(D3DPRESENT_PARAMETERS* parameters, DWORD flags = D3DCREATE_SOFTWARE_VERTEXPROCESSING) {
    IDirect3DDevice9* device = nullptr;
    const HRESULT result = d3d->CreateDevice(0, D3DDEVTYPE_HAL, window, flags, parameters, &device);
    EXPECT_EQ(SUCCEEDED(result), device != nullptr);
    if (device != nullptr) device->Release();
    return result;
  }
  HWND window = nullptr;
};

TEST_F(DeviceCreation, WindowedBackBufferTakesTheClientSizeAndDesktopFormat) {
  D3DPRESENT_PARAMETERS parameters = WindowedParameters(window);
  parameters.BackBufferFormat = D3DFMT_UNKNOWN;
  parameters.BackBufferCount = 0;
  ASSERT_EQ(Create(&parameters), D3D_OK);
  EXPECT_EQ(parameters.BackBufferWidth, 32u);
  EXPECT_EQ(parameters.BackBufferHeight, 24u);
  EXPECT_EQ(parameters.BackBufferCount, 1u);
  D3DDISPLAYMODE desktop{};
  d3d->GetAdapterDisplayMode(0, &desktop);
  EXPECT_EQ(parameters.BackBufferFormat, desktop.Format);
}

TEST_F(DeviceCreation, FullScreenNeedsAnOfferedModeAndADisplayFormat) {
  D3DDISPLAYMODE desktop{};
  d3d->GetAdapterDisplayMode(0, &desktop);
  D3DPRESENT_PARAMETERS parameters = WindowedParameters(window);
  parameters.Windowed = FALSE;
  parameters.BackBufferFormat = desktop.Format;
  parameters.BackBufferWidth = desktop.Width;
  parameters.BackBufferHeight = desktop.Height;
  EXPECT_EQ(Create(&parameters), D3D_OK);
  parameters.BackBufferWidth = desktop.Width + 1;
  EXPECT_EQ(Create(&parameters), D3DERR_INVALIDCALL);
  parameters.BackBufferWidth = desktop.Width;
  parameters.BackBufferFormat = D3DFMT_UNKNOWN;
  EXPECT_EQ(Create(&parameters), D3DERR_INVALIDCALL);
  // Sixteen bits at the desktop's size, whatever depth the desktop has.
  parameters.BackBufferFormat = D3DFMT_R5G6B5;
  EXPECT_EQ(Create(&parameters), D3D_OK);
  EXPECT_EQ(d3d->GetAdapterModeCount(0, D3DFMT_R5G6B5), d3d->GetAdapterModeCount(0, D3DFMT_X8R8G8B8));
  EXPECT_EQ(d3d->GetAdapterModeCount(0, D3DFMT_A8R8G8B8), 0u);
}

TEST_F(DeviceCreation, InvalidParametersAreRefused) {
  struct Case {
    const char* name;
    void (*change)(D3DPRESENT_PARAMETERS&);
  };
  const Case cases[] = {
      {"too many back buffers", [](D3DPRESENT_PARAMETERS& p) { p.BackBufferCount = 4; }},
      {"unknown swap effect", [](D3DPRESENT_PARAMETERS& p) { p.SwapEffect = D3DSWAPEFFECT(0); }},
      {"refresh rate in a window", [](D3DPRESENT_PARAMETERS& p) { p.FullScreen_RefreshRateInHz = 60; }},
      {"depth format not a depth format", [](D3DPRESENT_PARAMETERS& p) { p.AutoDepthStencilFormat = D3DFMT_L8; }},
      {"interval not offered", [](D3DPRESENT_PARAMETERS& p) { p.PresentationInterval = D3DPRESENT_INTERVAL_TWO; }},
      {"back buffer format", [](D3DPRESENT_PARAMETERS& p) { p.BackBufferFormat = D3DFMT_L8; }},
      {"multisampling", [](D3DPRESENT_PARAMETERS& p) { p.MultiSampleType = D3DMULTISAMPLE_TYPE(2); }},
      {"no window", [](D3DPRESENT_PARAMETERS& p) { p.hDeviceWindow = reinterpret_cast<HWND>(&p); }},
  };
  for (const Case& entry : cases) {
    D3DPRESENT_PARAMETERS parameters = WindowedParameters(window);
    entry.change(parameters);
    EXPECT_EQ(Create(&parameters), D3DERR_INVALIDCALL) << entry.name;
  }
  D3DPRESENT_PARAMETERS parameters = WindowedParameters(window);
  EXPECT_EQ(Create(&parameters, 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(Create(&parameters, D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING),
            D3DERR_INVALIDCALL);
  EXPECT_EQ(Create(nullptr), D3DERR_INVALIDCALL);
  IDirect3DDevice9* device = nullptr;
  EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_REF, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device),
            D3DERR_NOTAVAILABLE);
  Platform::Testing::FailNextCall("CreateDevice", D3DERR_OUTOFVIDEOMEMORY);
  EXPECT_EQ(Create(&parameters), D3DERR_OUTOFVIDEOMEMORY);
}

TEST_F(DeviceCreation, SimulatedAdaptersReportWhatTestsDescribe) {
  Platform::Testing::SimulatedAdapter plain;
  plain.devCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
  plain.presentationIntervals = D3DPRESENT_INTERVAL_ONE;
  plain.depthFormats = {D3DFMT_D16};
  plain.modes = {{800, 600, 60, D3DFMT_UNKNOWN}};
  Platform::Testing::SimulatedAdapter pure;
  pure.desktop = D3DDISPLAYMODE{1280, 1024, 75, D3DFMT_X1R5G5B5};
  Platform::Testing::SimulatedAdapter broken;
  broken.hasHardwareDevice = false;
  Platform::Testing::SimulateAdapters({plain, pure, broken});
  ASSERT_EQ(d3d->GetAdapterCount(), 3u);
  D3DCAPS9 caps{};
  ASSERT_EQ(d3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps), D3D_OK);
  EXPECT_EQ(caps.DevCaps & D3DDEVCAPS_PUREDEVICE, 0u);
  EXPECT_EQ(caps.PresentationIntervals, DWORD(D3DPRESENT_INTERVAL_ONE));
  ASSERT_EQ(d3d->GetDeviceCaps(1, D3DDEVTYPE_HAL, &caps), D3D_OK);
  EXPECT_NE(caps.DevCaps & D3DDEVCAPS_PUREDEVICE, 0u);
  EXPECT_EQ(d3d->GetDeviceCaps(2, D3DDEVTYPE_HAL, &caps), D3DERR_NOTAVAILABLE);
  D3DDISPLAYMODE desktop{};
  d3d->GetAdapterDisplayMode(1, &desktop);
  EXPECT_EQ(desktop.Format, D3DFMT_X1R5G5B5);
  EXPECT_EQ(desktop.Width, 1280u);
  EXPECT_EQ(d3d->GetAdapterModeCount(0, D3DFMT_X8R8G8B8), 2u);
  EXPECT_EQ(
      d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DFMT_D32),
      D3DERR_NOTAVAILABLE);
  EXPECT_EQ(
      d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DFMT_D16),
      D3D_OK);
  // The first adapter refuses what it does not offer.
  D3DPRESENT_PARAMETERS parameters = WindowedParameters(window);
  EXPECT_EQ(Create(&parameters), D3DERR_INVALIDCALL);  // immediate presentation
  parameters.PresentationInterval = D3DPRESENT_INTERVAL_ONE;
  parameters.AutoDepthStencilFormat = D3DFMT_D32;
  EXPECT_EQ(Create(&parameters), D3DERR_INVALIDCALL);
  parameters.AutoDepthStencilFormat = D3DFMT_D16;
  EXPECT_EQ(Create(&parameters), D3D_OK);
}

class States : public DeviceFixture {};

TEST_F(States, NewDeviceHasDirect3DDefaults) {
  // A fresh device, not the fixture's, whose lighting and culling were changed.
  IDirect3DDevice9* fresh = nullptr;
  D3DPRESENT_PARAMETERS freshParameters = WindowedParameters(window);
  ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, window, D3DCREATE_HARDWARE_VERTEXPROCESSING, &freshParameters, &fresh),
            D3D_OK);
  struct Expected {
    D3DRENDERSTATETYPE state;
    DWORD value;
  };
  const Expected renderStates[] = {
      {D3DRS_ZENABLE, D3DZB_TRUE},       {D3DRS_FILLMODE, D3DFILL_SOLID},    {D3DRS_ZWRITEENABLE, TRUE},
      {D3DRS_SRCBLEND, D3DBLEND_ONE},    {D3DRS_DESTBLEND, D3DBLEND_ZERO},   {D3DRS_CULLMODE, D3DCULL_CCW},
      {D3DRS_ZFUNC, D3DCMP_LESSEQUAL},   {D3DRS_ALPHABLENDENABLE, FALSE},    {D3DRS_FOGENABLE, FALSE},
      {D3DRS_FOGEND, 0x3F800000},        {D3DRS_FOGDENSITY, 0x3F800000},     {D3DRS_LIGHTING, TRUE},
      {D3DRS_FOGTABLEMODE, D3DFOG_NONE}, {D3DRS_FOGVERTEXMODE, D3DFOG_NONE}, {D3DRS_BLENDOP, D3DBLENDOP_ADD},
  };
  for (const Expected& entry : renderStates) {
    DWORD value = 0xDEADBEEF;
    ASSERT_EQ(fresh->GetRenderState(entry.state, &value), D3D_OK);
    EXPECT_EQ(value, entry.value) << entry.state;
  }
  DWORD value = 0;
  fresh->GetTextureStageState(0, D3DTSS_COLOROP, &value);
  EXPECT_EQ(value, DWORD(D3DTOP_MODULATE));
  fresh->GetTextureStageState(0, D3DTSS_ALPHAOP, &value);
  EXPECT_EQ(value, DWORD(D3DTOP_SELECTARG1));
  fresh->GetTextureStageState(1, D3DTSS_COLOROP, &value);
  EXPECT_EQ(value, DWORD(D3DTOP_DISABLE));
  fresh->GetTextureStageState(3, D3DTSS_TEXCOORDINDEX, &value);
  EXPECT_EQ(value, 3u);
  fresh->GetSamplerState(0, D3DSAMP_ADDRESSU, &value);
  EXPECT_EQ(value, DWORD(D3DTADDRESS_WRAP));
  fresh->GetSamplerState(0, D3DSAMP_MINFILTER, &value);
  EXPECT_EQ(value, DWORD(D3DTEXF_POINT));
  fresh->GetSamplerState(0, D3DSAMP_MIPFILTER, &value);
  EXPECT_EQ(value, DWORD(D3DTEXF_NONE));
  D3DVIEWPORT9 viewport{};
  fresh->GetViewport(&viewport);
  EXPECT_EQ(viewport.Width, DWORD(kWidth));
  EXPECT_EQ(viewport.Height, DWORD(kHeight));
  EXPECT_EQ(viewport.MaxZ, 1.0f);
  D3DMATRIX world{};
  fresh->GetTransform(D3DTS_WORLD, &world);
  EXPECT_EQ(world._11, 1.0f);
  EXPECT_EQ(world._12, 0.0f);
  EXPECT_EQ(world._44, 1.0f);
  EXPECT_EQ(fresh->Release(), 0u);
}

TEST_F(States, UnknownStatesAndStagesAreRefused) {
  EXPECT_EQ(device->SetRenderState(D3DRENDERSTATETYPE(1), 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->SetTextureStageState(8, D3DTSS_COLOROP, D3DTOP_MODULATE), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->SetTextureStageState(0, D3DTEXTURESTAGESTATETYPE(12), 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->SetSamplerState(16, D3DSAMP_ADDRESSU, D3DTADDRESS_WRAP), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->SetTexture(8, nullptr), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->SetStreamSource(1, nullptr, 0, 0), D3DERR_INVALIDCALL);
  D3DMATRIX matrix{};
  EXPECT_EQ(device->SetTransform(D3DTRANSFORMSTATETYPE(1), &matrix), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->GetTransform(D3DTRANSFORMSTATETYPE(24), &matrix), D3DERR_INVALIDCALL);
}

TEST_F(States, ResourcesOfAnotherDeviceAreRefused) {
  IDirect3DDevice9* other = nullptr;
  D3DPRESENT_PARAMETERS otherParameters = WindowedParameters(window);
  ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, window, D3DCREATE_HARDWARE_VERTEXPROCESSING, &otherParameters, &other),
            D3D_OK);
  IDirect3DTexture9* texture = nullptr;
  ASSERT_EQ(other->CreateTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT, &texture, nullptr),
            D3D_OK);
  IDirect3DSurface9* surface = nullptr;
  texture->GetSurfaceLevel(0, &surface);
  IDirect3DVertexBuffer9* buffer = nullptr;
  other->CreateVertexBuffer(64, 0, 0, D3DPOOL_MANAGED, &buffer, nullptr);
  EXPECT_EQ(device->SetTexture(0, texture), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->SetRenderTarget(0, surface), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->SetStreamSource(0, buffer, 0, 16), D3DERR_INVALIDCALL);
  buffer->Release();
  surface->Release();
  texture->Release();
  EXPECT_EQ(other->Release(), 0u);
}

TEST_F(States, TransformsAreKeptPerState) {
  D3DMATRIX world{};
  world._11 = 2.0f;
  D3DMATRIX view{};
  view._11 = 3.0f;
  ASSERT_EQ(device->SetTransform(D3DTS_WORLD, &world), D3D_OK);
  ASSERT_EQ(device->SetTransform(D3DTS_VIEW, &view), D3D_OK);
  D3DMATRIX read{};
  device->GetTransform(D3DTS_WORLD, &read);
  EXPECT_EQ(read._11, 2.0f);
  device->GetTransform(D3DTS_VIEW, &read);
  EXPECT_EQ(read._11, 3.0f);
  device->GetTransform(D3DTS_TEXTURE7, &read);
  EXPECT_EQ(read._11, 1.0f);
}

TEST_F(States, ViewportMustLieInsideTheTarget) {
  const D3DVIEWPORT9 inside{2, 2, 6, 6, 0.0f, 1.0f};
  ASSERT_EQ(device->SetViewport(&inside), D3D_OK);
  const D3DVIEWPORT9 refused[] = {
      {0, 0, kWidth + 1, kHeight, 0.0f, 1.0f},
      {4, 0, 5, kHeight, 0.0f, 1.0f},
      {0, 0, kWidth, kHeight, 0.5f, 0.25f},
      {0, 0, kWidth, kHeight, 0.0f, 1.5f},
  };
  for (const D3DVIEWPORT9& viewport : refused) EXPECT_EQ(device->SetViewport(&viewport), D3DERR_INVALIDCALL);
  D3DVIEWPORT9 kept{};
  device->GetViewport(&kept);
  EXPECT_EQ(kept.X, 2u);
  EXPECT_EQ(kept.Width, 6u);
}

}  // namespace
