#include <chrono>
#include <future>
#include <thread>

#include "D3D9Fixture.h"

using D3D9Test::DeviceFixture;
using D3D9Test::WindowedParameters;

namespace {

class DeviceLoss : public DeviceFixture {
 protected:
  HRESULT ResetWith(D3DPRESENT_PARAMETERS changed) { return device->Reset(&changed); }
};

TEST_F(DeviceLoss, LostDeviceRefusesFramesButKeepsManagedResources) {
  IDirect3DTexture9* texture = MakeTexture(1, 1, {0xFF00FF00});
  Platform::Testing::ProvokeDeviceLoss(device);
  EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
  EXPECT_EQ(device->BeginScene(), D3DERR_DEVICELOST);
  EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
  EXPECT_EQ(device->Reset(&parameters), D3DERR_DEVICELOST);
  // Drawing and clearing succeed and do nothing.
  EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFF0000, 1.0f, 0), D3D_OK);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0xFFFF0000);
  // Managed resources can still be made and filled.
  IDirect3DTexture9* another = MakeTexture(1, 1, {0xFFFFFFFF});

  Platform::Testing::EndDeviceLoss(device);
  EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
  EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
  ASSERT_EQ(device->Reset(&parameters), D3D_OK);
  EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
  EXPECT_EQ(Pixel(0, 0), 0xFF000000u);  // what the lost device was asked to draw never showed
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device->SetTexture(0, texture);
  DrawRect(0.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
  EXPECT_EQ(Pixel(0, 0), 0xFF00FF00u);
  device->SetTexture(0, nullptr);
  another->Release();
  texture->Release();
}

TEST_F(DeviceLoss, ResetRestoresDefaultStatesAndUnbindsEverything) {
  IDirect3DTexture9* texture = MakeTexture(1, 1, {0xFF00FF00});
  device->SetTexture(0, texture);
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
  const D3DVIEWPORT9 small{1, 1, 2, 2, 0.0f, 1.0f};
  device->SetViewport(&small);
  ASSERT_EQ(device->Reset(&parameters), D3D_OK);
  DWORD value = 0;
  device->GetRenderState(D3DRS_ALPHABLENDENABLE, &value);
  EXPECT_EQ(value, DWORD(FALSE));
  device->GetRenderState(D3DRS_LIGHTING, &value);
  EXPECT_EQ(value, DWORD(TRUE));
  device->GetTextureStageState(0, D3DTSS_COLOROP, &value);
  EXPECT_EQ(value, DWORD(D3DTOP_MODULATE));
  D3DVIEWPORT9 viewport{};
  device->GetViewport(&viewport);
  EXPECT_EQ(viewport.Width, DWORD(kWidth));
  IDirect3DBaseTexture9* bound = texture;
  device->GetTexture(0, &bound);
  EXPECT_EQ(bound, nullptr);
  EXPECT_EQ(texture->Release(), 0u);  // the device let go of it
}

TEST_F(DeviceLoss, ResetIsRefusedWhileTheBackBufferOrDefaultPoolResourcesAreHeld) {
  IDirect3DSurface9* backBuffer = nullptr;
  device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
  EXPECT_EQ(device->Reset(&parameters), D3DERR_INVALIDCALL);
  // A failed reset leaves the device waiting for one that succeeds.
  EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
  backBuffer->Release();

  IDirect3DTexture9* target = nullptr;
  ASSERT_EQ(device->CreateTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT, &target, nullptr),
            D3D_OK);
  EXPECT_EQ(device->Reset(&parameters), D3DERR_INVALIDCALL);
  target->Release();
  EXPECT_EQ(device->Reset(&parameters), D3D_OK);
  EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
}

TEST_F(DeviceLoss, ResetTakesANewBackBufferSize) {
  D3DPRESENT_PARAMETERS changed = parameters;
  changed.BackBufferWidth = 4;
  changed.BackBufferHeight = 2;
  ASSERT_EQ(device->Reset(&changed), D3D_OK);
  IDirect3DSurface9* backBuffer = nullptr;
  device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
  D3DSURFACE_DESC desc{};
  backBuffer->GetDesc(&desc);
  EXPECT_EQ(desc.Width, 4u);
  EXPECT_EQ(desc.Height, 2u);
  backBuffer->Release();
  changed.SwapEffect = D3DSWAPEFFECT(9);
  EXPECT_EQ(device->Reset(&changed), D3DERR_INVALIDCALL);
  Platform::Testing::FailNextCall("Reset", D3DERR_DRIVERINTERNALERROR);
  EXPECT_EQ(device->Reset(&parameters), D3DERR_DRIVERINTERNALERROR);
  EXPECT_EQ(device->Reset(&parameters), D3D_OK);
}

// The context is current on another thread: no depth buffer can be made for the new back buffer.
TEST_F(DeviceLoss, ResetWithoutTheContextFailsAndWaitsForAnother) {
  std::promise<void> contextTaken;
  std::promise<void> resetTried;
  std::thread other([&] {
    EXPECT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0), D3D_OK);
    contextTaken.set_value();
    resetTried.get_future().wait_for(std::chrono::seconds(10));
    // Any OpenGL section hands the context back now that the reset ended the scene.
    IDirect3DSurface9* backBuffer = nullptr;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    Platform::Testing::ReadRenderTarget(backBuffer);
    backBuffer->Release();
  });
  contextTaken.get_future().wait_for(std::chrono::seconds(10));
  D3DPRESENT_PARAMETERS changed = parameters;
  changed.BackBufferWidth = 4;
  changed.BackBufferHeight = 2;
  EXPECT_EQ(ResetWith(changed), D3DERR_DRIVERINTERNALERROR);
  EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
  resetTried.set_value();
  other.join();
  ASSERT_EQ(ResetWith(changed), D3D_OK);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
  DrawRect(0.0f, 0.0f, 4.0f, 2.0f, 0xFF00FF00, 0.5f);
  DrawRect(0.0f, 0.0f, 4.0f, 2.0f, 0xFF0000FF, 0.8f);  // farther: fails the depth test
  IDirect3DSurface9* backBuffer = nullptr;
  device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
  EXPECT_EQ(Platform::Testing::ReadRenderTarget(backBuffer), std::vector<DWORD>(4 * 2, 0xFF00FF00));
  backBuffer->Release();
}

TEST_F(DeviceLoss, ScenesDoNotNest) {
  EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);
  ASSERT_EQ(device->BeginScene(), D3D_OK);
  EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->EndScene(), D3D_OK);
  EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
}

TEST(FullScreenLoss, InactiveWindowLosesTheDeviceUntilRestoredAndReset) {
  HWND window = CreateWindowExA(0, "Test", "Test", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
  D3DDISPLAYMODE desktop{};
  d3d->GetAdapterDisplayMode(0, &desktop);
  D3DPRESENT_PARAMETERS parameters = WindowedParameters(window);
  parameters.Windowed = FALSE;
  parameters.BackBufferFormat = desktop.Format;
  parameters.BackBufferWidth = desktop.Width;
  parameters.BackBufferHeight = desktop.Height;
  IDirect3DDevice9* device = nullptr;
  ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device),
            D3D_OK);
  EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
  Platform::Testing::SetWindowActive(window, false);
  EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
  EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
  Platform::Testing::SetWindowActive(window, true);
  EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
  EXPECT_EQ(device->Reset(&parameters), D3D_OK);
  EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
  // A windowed device ignores the window's activity.
  D3DPRESENT_PARAMETERS windowed = WindowedParameters(window);
  ASSERT_EQ(device->Reset(&windowed), D3D_OK);
  Platform::Testing::SetWindowActive(window, false);
  EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
  EXPECT_EQ(device->Release(), 0u);
  d3d->Release();
  DestroyWindow(window);
}

}  // namespace
