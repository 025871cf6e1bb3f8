#pragma once

#include "SD3D9AdapterInfo.h"
#include "SRenderDevice.h"
#include "SRenderLockGuard.h"

#include "Platform/D3DX9.h"

#include <boost/shared_ptr.hpp>

#include <atomic>
#include <vector>

namespace SCore {

// The render device over Direct3D 9: its creation for a window, the frame with its transforms,
// drawing and states, the loss test at the start of each frame with the lost and reset handlers,
// resets and the switch between window and full screen.
class SD3D9RenderDevice : public SRenderDevice {
 public:
  static const DWORD kTextureStages = 8;

  SD3D9RenderDevice();
  ~SD3D9RenderDevice() override;

  void Create(HWND window, UINT width, UINT height, int colorDepth, int fullScreen) override;
  void DoClearScene(BYTE red, BYTE green, BYTE blue) override;
  // Tests the cooperative level first.
  void DoBeginScene() override;
  void EndScene() override;
  void DoSetTransform(D3DTRANSFORMSTATETYPE state, const SMatrix* matrix) override;
  void DoPushTransform(D3DTRANSFORMSTATETYPE state) override;
  void DoPopTransform(D3DTRANSFORMSTATETYPE state) override;
  SMatrix* DoGetTransform(SMatrix* matrix, D3DTRANSFORMSTATETYPE state) override;
  void DoRender(const boost::shared_ptr<SVertexBuffer>& vertices, const boost::shared_ptr<SIndexBuffer>& indices,
                UINT startIndex) override;
  void DoRender(const boost::shared_ptr<SVertexBuffer>& vertices, UINT startVertex) override;
  void DoBindVertexBuffer(const boost::shared_ptr<SVertexBuffer>& vertices) override;
  void DoBindIndexBuffer(const boost::shared_ptr<SIndexBuffer>& indices) override;
  void DoClearScene(float depth) override;
  IDirect3DDevice9* Lock() override;
  void DoSetmaterial(const SMaterial& material) override;
  // Skips the platform call while the stage holds the texture already.
  void DoSetTexture(DWORD stage, STexture* texture) override;
  void DoSetTextureFiltration(DWORD stage, const STextureFiltration& filtration) override;
  void DoSetFog(const SFog& fog) override;
  UINT GetWidth() override;
  UINT GetHeight() override;
  void DoSetRenderTarget(STexture* texture) override;
  void DoSetView() override;
  // A reset that fails leaves the previous presentation parameters in place.
  void SetFullScreen(bool fullScreen) override;
  void Unlock() override;

  void SetVertexShader(DWORD fvf);

  void Init();
  void CreateD3D9Device();
  // The first adapter that offers a pure device, else adapter 0.
  UINT ChooseAdapter();
  DWORD ChooseBehaviourFlags() const;
  void CreateD3DDevice(HWND window, DWORD behaviourFlags, UINT width, UINT height, int colorDepth, int fullScreen);
  static D3DFORMAT ColorDepthToFormat(int bits);
  UINT FindCompatiblePresentationInterval(UINT adapter);
  D3DFORMAT GetAllowableZBufferFormat(D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat, UINT adapter);
  bool TestZBufferFormat(D3DFORMAT adapterFormat, D3DFORMAT depthFormat, UINT adapter, D3DFORMAT backBufferFormat);
  // The loss test: while the device is lost, logs and sleeps a second; once it waits for a reset,
  // resets it and calls the reset handler.
  void TestCooperativeLevel();
  void Reset();
  void OnLostDevice();
  void OnResetDevice();
  void Kill();

  // Device fonts follow every reset while they are registered.
  void RegisterFont(ID3DXFont* font);
  void UnregisterFont(ID3DXFont* font);
  // A texture that lets go of its native texture must not be taken for bound any more.
  void ForgetTexture(const STexture* texture);

  const D3DPRESENT_PARAMETERS& GetPresentParameters() const { return m_presentParameters; }
  UINT GetAdapterOrdinal() const { return m_adapter; }
  const boost::shared_ptr<SD3D9AdapterInfo>& GetAdapterInfo() const { return m_adapterInfo; }
  bool IsLost() const { return m_isLost; }

 private:
  void BuildPresentParameters(HWND window, int colorDepth, int fullScreen);
  // After every change of the presentation parameters: by us, or by the device's creation or reset,
  // which fill in a size left 0.
  void PublishBackBufferSize();
  void LogPresentParameters();
  void ReleaseBackBuffer();
  void ForgetAllTextures();
  // One platform call under the device lock; the lock is left before its result is looked at.
  template <class Call>
  HRESULT CallLocked(Call call);
  static void RequireBuffer(const void* buffer, const char* failure);

  IDirect3D9* m_d3d = nullptr;
  IDirect3DDevice9* m_device = nullptr;
  boost::shared_ptr<SD3D9AdapterInfo> m_adapterInfo;
  D3DPRESENT_PARAMETERS m_presentParameters{};
  std::vector<ID3DXFont*> m_fonts;
  STexture* m_textureCache[kTextureStages] = {};
  IDirect3DSurface9* m_backBuffer = nullptr;
  UINT m_adapter = 0;
  HWND m_window = nullptr;
  UINT m_requestedWidth = 0;
  UINT m_requestedHeight = 0;
  // The back buffer's size as GetWidth and GetHeight answer it: the input thread's hit tests read it
  // while a switch to or from full screen on the main thread rewrites the presentation parameters.
  std::atomic<UINT> m_backBufferWidth{0};
  std::atomic<UINT> m_backBufferHeight{0};
  SRenderLockGuard m_lock;
};

}  // namespace SCore
