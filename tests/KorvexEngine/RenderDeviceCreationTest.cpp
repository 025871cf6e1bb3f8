#include "RenderTestSupport.h"

#include <gtest/gtest.h>

using Platform::Testing::SimulatedAdapter;
using RenderTest::FailureOf;
using RenderTest::Narrow;

namespace {

const std::string kCreate = " SD3D9RenderDevice::Create() .\\Src\\dx9\\SD3D9RenderDevice at:";
const std::string kCreateDevice = " SD3D9RenderDevice::CreateD3DDevice() .\\Src\\dx9\\SD3D9RenderDevice at:";

class DeviceCreation : public RenderTest::RenderFixture {
 protected:
  std::string CreateFails(int colorDepth, int fullScreen) {
    return FailureOf([&] { device->Create(window, 1024, 768, colorDepth, fullScreen); });
  }
  const D3DPRESENT_PARAMETERS& Parameters() { return d3d9->GetPresentParameters(); }
};

TEST_F(DeviceCreation, WindowedDeviceTakesTheDisplayDepthAndTheClientAreaAndLogsItsParameters) {
  TestSupport::LogCapture log;
  device->Create(window, 800, 600, 0, 0);
  const D3DPRESENT_PARAMETERS& p = Parameters();
  EXPECT_EQ(p.BackBufferFormat, D3DFMT_X8R8G8B8);
  EXPECT_EQ(p.BackBufferWidth, UINT(kWidth));
  EXPECT_EQ(p.BackBufferHeight, UINT(kHeight));
  EXPECT_EQ(p.Windowed, TRUE);
  EXPECT_EQ(p.BackBufferCount, 1u);
  EXPECT_EQ(p.SwapEffect, D3DSWAPEFFECT_DISCARD);
  EXPECT_EQ(p.AutoDepthStencilFormat, D3DFMT_D32);
  EXPECT_EQ(p.hDeviceWindow, window);
  EXPECT_EQ(device->GetWidth(), UINT(kWidth));
  EXPECT_EQ(device->GetHeight(), UINT(kHeight));
  EXPECT_EQ(device->ViewRect.Width, UINT(kWidth));
  EXPECT_EQ(device->ViewRect.Height, UINT(kHeight));
  D3DVIEWPORT9 applied{};
  Native()->GetViewport(&applied);
  EXPECT_EQ(applied.Width, UINT(kWidth));

  const std::string text = Narrow(log.Text());
  const std::regex expected(
      ".* Create D3D9\\.\\.\\..* Done\nFind [0-9]+ adapters.* Create D3D Device\\.\\.\\.\n.* Present parameters: \n"
      " AutoDepthStencilFormat:71\n BackBufferCount:1\n BackBufferFormat22\n BackBufferHeight:48\n"
      " BackBufferWidth:64\n EnableAutoDepthStencil:1\n Flags:0\n FullScreen_RefreshRateInHz:0\n"
      " hDeviceWindow:.*\n MultiSampleQuality:0\n MultiSampleType:0\n PresentationInterval:-2147483648\n"
      " SwapEffect:1\n Windowed:1\n\n.* Done\n");
  EXPECT_TRUE(std::regex_match(text, expected)) << text;
}

TEST_F(DeviceCreation, FullScreenDeviceTakesTheRequestedSizeAndDepth) {
  SimulatedAdapter adapter;
  adapter.modes = {{800, 600, 60, D3DFMT_UNKNOWN}};
  Platform::Testing::SimulateAdapters({adapter});
  device->Create(window, 800, 600, 16, 1);
  const D3DPRESENT_PARAMETERS& p = Parameters();
  EXPECT_EQ(p.BackBufferFormat, D3DFMT_R5G6B5);
  EXPECT_EQ(p.BackBufferWidth, 800u);
  EXPECT_EQ(p.BackBufferHeight, 600u);
  EXPECT_EQ(p.Windowed, FALSE);
  EXPECT_EQ(p.FullScreen_RefreshRateInHz, 0u);
}

TEST_F(DeviceCreation, RefusesDepthsAndDisplaysItCannotShow) {
  EXPECT_EQ(CreateFails(16, 0),
            "In Windowed mode ColorDepth is not Display Color Depth" + kCreateDevice + kCreate);
  SimulatedAdapter fifteenBits;
  fifteenBits.desktop.Format = D3DFMT_X1R5G5B5;
  Platform::Testing::SimulateAdapters({fifteenBits});
  for (int fullScreen : {0, 1}) {
    viewport = SCore::SViewportFactory::CreateViewport("D3D9Render");
    device = viewport->GetRenderDevice();
    EXPECT_EQ(CreateFails(32, fullScreen),
              "Current Display Mode is not R5G6B5 or X8R8G8B8 format" + kCreateDevice + kCreate);
  }
}

TEST_F(DeviceCreation, SecondCreateIsRefusedEvenAfterAFailedOne) {
  EXPECT_NE(CreateFails(16, 0), "no failure");
  EXPECT_EQ(CreateFails(0, 0), "D3D9 Device already init SD3D9RenderDevice::CreateD3D9Device() "
                               ".\\Src\\dx9\\SD3D9RenderDevice at: SD3D9RenderDevice::Init() "
                               ".\\Src\\dx9\\SD3D9RenderDevice at:" + kCreate);
}

TEST_F(DeviceCreation, ChoosesThePureDeviceAdapterAndItsVertexProcessing) {
  SimulatedAdapter plain;
  plain.devCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
  const struct {
    std::vector<SimulatedAdapter> adapters;
    UINT adapter;
    DWORD flags;
  } cases[] = {
      {{plain, SimulatedAdapter()}, 1, D3DCREATE_HARDWARE_VERTEXPROCESSING},
      {{plain, plain}, 0, D3DCREATE_SOFTWARE_VERTEXPROCESSING},
  };
  for (const auto& c : cases) {
    Platform::Testing::SimulateAdapters(c.adapters);
    viewport = SCore::SViewportFactory::CreateViewport("D3D9Render");
    device = viewport->GetRenderDevice();
    d3d9 = boost::dynamic_pointer_cast<SCore::SD3D9RenderDevice>(device);
    CreateWindowed();
    EXPECT_EQ(d3d9->GetAdapterOrdinal(), c.adapter);
    EXPECT_EQ(d3d9->ChooseBehaviourFlags(), c.flags);
    EXPECT_EQ(d3d9->GetAdapterInfo()->Caps.size(), 2u);
    EXPECT_EQ(d3d9->GetAdapterInfo()->ModeLists.size(), 2u);
  }
}

TEST_F(DeviceCreation, TakesTheFirstPresentationIntervalAndDepthFormatTheAdapterOffers) {
  const struct {
    DWORD intervals;
    std::vector<D3DFORMAT> depthFormats;
    UINT interval;
    D3DFORMAT depthFormat;
  } cases[] = {
      {D3DPRESENT_INTERVAL_ONE | D3DPRESENT_INTERVAL_IMMEDIATE, {D3DFMT_D16, D3DFMT_D32}, D3DPRESENT_INTERVAL_IMMEDIATE,
       D3DFMT_D32},
      {D3DPRESENT_INTERVAL_TWO | D3DPRESENT_INTERVAL_ONE, {D3DFMT_D16}, D3DPRESENT_INTERVAL_ONE, D3DFMT_D16},
  };
  for (const auto& c : cases) {
    SimulatedAdapter adapter;
    adapter.presentationIntervals = c.intervals;
    adapter.depthFormats = c.depthFormats;
    Platform::Testing::SimulateAdapters({adapter});
    viewport = SCore::SViewportFactory::CreateViewport("D3D9Render");
    device = viewport->GetRenderDevice();
    d3d9 = boost::dynamic_pointer_cast<SCore::SD3D9RenderDevice>(device);
    CreateWindowed();
    EXPECT_EQ(Parameters().PresentationInterval, c.interval);
    EXPECT_EQ(Parameters().AutoDepthStencilFormat, c.depthFormat);
  }
  SimulatedAdapter noInterval;
  noInterval.presentationIntervals = 0;
  Platform::Testing::SimulateAdapters({noInterval});
  viewport = SCore::SViewportFactory::CreateViewport("D3D9Render");
  device = viewport->GetRenderDevice();
  EXPECT_EQ(CreateFails(0, 0), "Can't find Compatible Presentation Interval "
                               "SD3D9RenderDevice::FindCompatiblePresentationInterval() "
                               ".\\Src\\dx9\\SD3D9RenderDevice at:" + kCreateDevice + kCreate);
}

TEST_F(DeviceCreation, EveryFailedCreationRaisesItsText) {
  const struct {
    HRESULT result;
    const char* text;
  } cases[] = {
      {D3DERR_OUTOFVIDEOMEMORY, "Can't create D3D9 Device: OUTOFVIDEOMEMORY"},
      {D3DERR_NOTAVAILABLE, "Can't create D3D9 Device: NOTAVAILABLE"},
      {D3DERR_INVALIDCALL, "Can't create D3D9 Device: INVALIDCALL"},
      {E_FAIL, "Can't create D3D9 Device: UNKNOWN ERROR"},
  };
  for (const auto& c : cases) {
    viewport = SCore::SViewportFactory::CreateViewport("D3D9Render");
    device = viewport->GetRenderDevice();
    Platform::Testing::FailNextCall("CreateDevice", c.result);
    EXPECT_EQ(CreateFails(0, 0), c.text + kCreateDevice + kCreate);
  }
}

TEST_F(DeviceCreation, AFailingAdapterStopsTheEnumerationAfterTheCountIsLogged) {
  SimulatedAdapter broken;
  broken.hasHardwareDevice = false;
  Platform::Testing::SimulateAdapters({SimulatedAdapter(), broken});
  TestSupport::LogCapture log;
  EXPECT_EQ(CreateFails(0, 0), "can't get D3D9 Device Capabilitys: Unknown Error"
                               " SD3D9AdapterInfo::FillAdapterInfo() .\\Src\\dx9\\SD3D9AdapterInfo at:"
                               " SD3D9RenderDevice::Init() .\\Src\\dx9\\SD3D9RenderDevice at:" + kCreate);
  EXPECT_NE(Narrow(log.Text()).find("Find 2 adapters"), std::string::npos);
  EXPECT_EQ(d3d9->GetAdapterInfo()->Caps.size(), 1u);
  EXPECT_EQ(d3d9->GetAdapterInfo()->DisplayModes.size(), 2u);
}

TEST_F(DeviceCreation, RenderPassAppliesItsThreeMatrices) {
  CreateWindowed();
  const boost::shared_ptr<SCore::SRenderPass> pass = viewport->CreateRenderPass();
  pass->World.f11 = 2.0f;
  pass->View.f22 = 3.0f;
  pass->Projection.f33 = 4.0f;
  pass->Apply();
  SCore::SMatrix read;
  EXPECT_EQ(device->DoGetTransform(&read, D3DTS_WORLD)->f11, 2.0f);
  EXPECT_EQ(device->DoGetTransform(&read, D3DTS_VIEW)->f22, 3.0f);
  EXPECT_EQ(device->DoGetTransform(&read, D3DTS_PROJECTION)->f33, 4.0f);
}

TEST_F(DeviceCreation, KillReleasesEverythingAndLogsIt) {
  CreateWindowed();
  TestSupport::LogCapture log;
  d3d9.reset();
  device.reset();
  viewport.reset();
  const std::string text = Narrow(log.Text());
  EXPECT_TRUE(std::regex_match(text, std::regex(".* SD3D9RenderDevice Kill\n.* SD3D9RenderDevice Kill done\n")))
      << text;
}

}  // namespace
