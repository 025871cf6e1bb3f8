#include "RenderTestSupport.h"
#include "SEvent.h"
#include "SUIControl.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

using RenderTest::FailureOf;
using RenderTest::Narrow;

namespace {

const std::string kReset = " SD3D9RenderDevice::Reset() .\\Src\\dx9\\SD3D9RenderDevice at:";

struct Handlers {
  void OnLost() { ++lost; }
  void OnReset() { ++reset; }
  int lost = 0;
  int reset = 0;
};

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class DeviceLoss : public RenderTest::RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    Platform::Testing::SetSleepHook([this](DWORD milliseconds) { sleeps.push_back(milliseconds); });
    device->Create(window, 1024, 768, 0, 0);
    device->LostHandler.reset(new SCore::SEvent<Handlers>(&Handlers::OnLost, &handlers));
    device->ResetHandler.reset(new SCore::SEvent<Handlers>(&Handlers::OnReset, &handlers));
  }

  void Frame() {
    device->DoBeginScene();
    device->EndScene();
  }

  const D3DPRESENT_PARAMETERS& Parameters() { return d3d9->GetPresentParameters(); }

  Handlers handlers;
  std::vector<DWORD> sleeps;
};

TEST_F(DeviceLoss, LostFramesWaitAndCallTheLostHandlerOnceThenTheDeviceIsResetAndTheResetHandlerCalled) {
  TestSupport::LogCapture log;
  Platform::Testing::ProvokeDeviceLoss(Native());
  for (int frame = 0; frame < 3; ++frame) Frame();
  EXPECT_EQ(handlers.lost, 1);
  EXPECT_EQ(handlers.reset, 0);
  EXPECT_TRUE(d3d9->IsLost());
  EXPECT_EQ(sleeps, std::vector<DWORD>({1000, 1000, 1000}));

  Platform::Testing::EndDeviceLoss(Native());
  Frame();
  EXPECT_EQ(handlers.lost, 1);
  EXPECT_EQ(handlers.reset, 1);
  EXPECT_FALSE(d3d9->IsLost());
  EXPECT_EQ(Native()->TestCooperativeLevel(), D3D_OK);
  const std::string text = Narrow(log.Text());
  EXPECT_EQ(Occurrences(text, " SD3D9RenderDevice TestCooperativeLevel device lost\n"), 3u);
  EXPECT_TRUE(std::regex_search(text, std::regex(" device not reset Reseting\n.* SD3D9RenderDevice Reset\n"
                                                 ".* Present parameters: \n(.|\n)* Reset HRESULT:0\n"
                                                 ".* device not reset reseting done\n$")))
      << text;
}

TEST_F(DeviceLoss, ADeviceWaitingForResetWithoutALostFrameCallsOnlyTheResetHandler) {
  Platform::Testing::ProvokeDeviceLoss(Native());
  Platform::Testing::EndDeviceLoss(Native());
  Frame();
  EXPECT_EQ(handlers.lost, 0);
  EXPECT_EQ(handlers.reset, 1);
  EXPECT_TRUE(sleeps.empty());
}

TEST_F(DeviceLoss, AFailedResetPropagatesAndTheNextFrameTriesAgain) {
  Platform::Testing::ProvokeDeviceLoss(Native());
  Frame();
  Platform::Testing::EndDeviceLoss(Native());
  Platform::Testing::FailNextCall("Reset", D3DERR_DEVICELOST);
  TestSupport::LogCapture log;
  EXPECT_EQ(FailureOf([&] { device->DoBeginScene(); }),
            "can't reset D3D9 device(D3DERR_DEVICELOST)" + kReset +
                " SD3D9RenderDevice::TestCooperativeLevel() .\\Src\\dx9\\SD3D9RenderDevice at:"
                " SD3D9RenderDevice::DoBeginScene() .\\Src\\dx9\\SD3D9RenderDevice at:");
  const std::string text = Narrow(log.Text());
  EXPECT_NE(text.find(" SD3D9RenderDevice Reset HRESULT:-2005530520\n"), std::string::npos);
  EXPECT_EQ(text.find("reseting done"), std::string::npos);
  EXPECT_EQ(handlers.reset, 0);
  EXPECT_TRUE(d3d9->IsLost());

  Frame();
  EXPECT_EQ(handlers.reset, 1);
  EXPECT_FALSE(d3d9->IsLost());
}

TEST_F(DeviceLoss, EveryFailedResetRaisesItsText) {
  const struct {
    HRESULT result;
    const char* text;
  } cases[] = {
      {E_OUTOFMEMORY, "can't reset D3D9 device(E_OUTOFMEMORY)"},
      {D3DERR_OUTOFVIDEOMEMORY, "can't reset D3D9 device(D3DERR_OUTOFVIDEOMEMORY)"},
      {D3DERR_DRIVERINTERNALERROR, "can't reset D3D9 device(D3DERR_DRIVERINTERNALERROR)"},
      {D3DERR_DEVICELOST, "can't reset D3D9 device(D3DERR_DEVICELOST)"},
      {D3DERR_INVALIDCALL, "can't reset D3D9 device(D3DERR_INVALIDCALL)"},
      {E_FAIL, "can't reset D3D9 device(UNKNOWN ERROR)"},
  };
  for (const auto& c : cases) {
    Platform::Testing::FailNextCall("Reset", c.result);
    EXPECT_EQ(FailureOf([&] { d3d9->Reset(); }), c.text + kReset);
  }
  d3d9->Reset();
  EXPECT_EQ(handlers.lost + handlers.reset, 0);  // the handlers belong to the loss test
}

TEST_F(DeviceLoss, SwitchesToFullScreenAndBack) {
  TestSupport::LogCapture log;
  device->SetFullScreen(false);  // no change, but a reset all the same
  EXPECT_EQ(Parameters().Windowed, TRUE);
  EXPECT_EQ(Parameters().BackBufferWidth, UINT(kWidth));
  EXPECT_EQ(Occurrences(Narrow(log.Text()), " SD3D9RenderDevice Reset\n"), 1u);

  device->SetFullScreen(true);
  EXPECT_EQ(Parameters().Windowed, FALSE);
  EXPECT_EQ(device->GetWidth(), 1024u);
  EXPECT_EQ(device->GetHeight(), 768u);
  EXPECT_EQ(Parameters().PresentationInterval, UINT(D3DPRESENT_INTERVAL_IMMEDIATE));
  EXPECT_EQ(BackBufferPixels().size(), 1024u * 768u);
  Frame();

  device->SetFullScreen(false);
  EXPECT_EQ(Parameters().Windowed, TRUE);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(device->GetWidth(), UINT(client.right));
  EXPECT_EQ(device->GetHeight(), UINT(client.bottom));
  Frame();
  EXPECT_EQ(handlers.lost + handlers.reset, 0);
}

// A control as the input thread hit-tests it: in fractions of the back buffer's size.
class LeftHalf : public KorvexEngine::UI::SUIControl {
 public:
  bool HitTest(float x, float) override {
    fractions.insert(x);
    ++hitTests;
    return x < 0.5f;
  }
  void OnMouseOver() override {}
  void OnMouseDown(float, float) override {}
  void OnMouseOut() override {}
  void DoRender(float, float) override {}
  // Written by the hit tests' thread only.
  std::set<float> fractions;
  std::atomic<int> hitTests{0};
};

TEST_F(DeviceLoss, HitTestsOnTheInputThreadSeeOneScreenSizeOrTheOtherWhileTheModeSwitches) {
  LeftHalf control;
  control.m_viewport = viewport;
  const int x = 40;
  std::set<float> expected = {float(x) / float(device->GetWidth())};
  std::atomic<bool> switching{true};
  std::thread input([&] {
    while (switching) control.InputMouseMove(KorvexEngine::UI::SUIInputMouseMoveEvent(x, 0));
  });
  for (bool fullScreen : {true, false, true, false}) {
    // Each switch comes while the input thread is hit-testing.
    const int before = control.hitTests;
    while (control.hitTests == before) std::this_thread::yield();
    device->SetFullScreen(fullScreen);
    expected.insert(float(x) / float(device->GetWidth()));
  }
  switching = false;
  input.join();
  EXPECT_TRUE(expected.count(float(x) / 1024.0f)) << "the full screen's width";
  for (float fraction : control.fractions) EXPECT_TRUE(expected.count(fraction)) << fraction;
  device->SetFullScreen(true);
  control.InputMouseMove(KorvexEngine::UI::SUIInputMouseMoveEvent(x, 0));
  EXPECT_EQ(control.m_state, KorvexEngine::UI::SUIControl::kOver) << "near the left edge of the full screen";
}

TEST_F(DeviceLoss, AFailedSwitchKeepsThePreviousParameters) {
  const D3DPRESENT_PARAMETERS before = Parameters();
  Platform::Testing::FailNextCall("Reset", D3DERR_DRIVERINTERNALERROR);
  EXPECT_EQ(FailureOf([&] { device->SetFullScreen(true); }),
            "can't reset D3D9 device(D3DERR_DRIVERINTERNALERROR)" + kReset +
                " SD3D9RenderDevice::SetFullScreen() .\\Src\\dx9\\SD3D9RenderDevice at:");
  EXPECT_EQ(Parameters().Windowed, TRUE);
  EXPECT_EQ(Parameters().BackBufferWidth, before.BackBufferWidth);
  EXPECT_EQ(Parameters().BackBufferHeight, before.BackBufferHeight);
  EXPECT_EQ(device->GetWidth(), before.BackBufferWidth);
  EXPECT_EQ(device->GetHeight(), before.BackBufferHeight);
  // The device goes on with what it had; a device that waits for a reset gets one it can take.
  EXPECT_EQ(FailureOf([&] { Frame(); }), "no failure");
  d3d9->Reset();
  EXPECT_EQ(Native()->TestCooperativeLevel(), D3D_OK);
}

}  // namespace
