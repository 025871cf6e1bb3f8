// The device: state, resources, drawing through OpenGL, presentation and device loss.
#pragma once

#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "D3D9Buffers.h"
#include "D3D9DeviceCore.h"
#include "D3D9RefCounted.h"
#include "D3D9States.h"
#include "D3D9VertexProcessor.h"
#include "D3D9WindowFramebuffer.h"

namespace Platform {
namespace D3D9 {

class Surface9;
class Texture9;

class Device9 : public RefCounted<IDirect3DDevice9>, public TargetReader {
 public:
  // The parameters must have passed CheckPresentParameters.
  static HRESULT Create(UINT adapter, HWND window, const D3DPRESENT_PARAMETERS& parameters, Device9** device);
  ~Device9() override;

  HRESULT TestCooperativeLevel() override;
  HRESULT GetDeviceCaps(D3DCAPS9* caps) override;
  HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override;
  HRESULT Present(const RECT* source, const RECT* dest, HWND destWindow, const void* dirtyRegion) override;
  HRESULT BeginScene() override;
  HRESULT EndScene() override;
  HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) override;

  HRESULT SetViewport(const D3DVIEWPORT9* viewport) override;
  HRESULT GetViewport(D3DVIEWPORT9* viewport) override;
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
  HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
  HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;
  HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override;
  HRESULT GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) override;
  HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override;
  HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture9** texture) override;
  HRESULT SetFVF(DWORD fvf) override;
  HRESULT GetFVF(DWORD* fvf) override;
  HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride) override;
  HRESULT GetStreamSource(UINT stream, IDirect3DVertexBuffer9** buffer, UINT* offset, UINT* stride) override;
  HRESULT SetIndices(IDirect3DIndexBuffer9* buffer) override;

  HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) override;
  HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertexIndex, UINT minIndex, UINT numVertices,
                               UINT startIndex, UINT primitiveCount) override;

  HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, IDirect3DVertexBuffer9** buffer,
                             HANDLE* sharedHandle) override;
  HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool, IDirect3DIndexBuffer9** buffer,
                            HANDLE* sharedHandle) override;
  HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                        IDirect3DTexture9** texture, HANDLE* sharedHandle) override;

  HRESULT GetRenderTarget(DWORD index, IDirect3DSurface9** surface) override;
  HRESULT SetRenderTarget(DWORD index, IDirect3DSurface9* surface) override;
  HRESULT GetBackBuffer(UINT swapChain, UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface9** surface) override;

  // For the test hooks.
  void SetProvokedLoss(bool lost);
  std::vector<DWORD> ReadTarget(Surface9& target) override;
  bool BackBufferIsWindow();

 private:
  enum class Loss { None, Lost, NotReset };

  Device9(std::shared_ptr<DeviceCore> core, UINT adapter, HWND window);
  HRESULT MakeSwapChain(const D3DPRESENT_PARAMETERS& parameters);
  void ApplyWindowMode();
  HRESULT FailReset(HRESULT result);
  void ReleaseBindings();
  void UpdateLoss();
  bool IsOperational();
  template <class Resource>
  bool BelongsHere(Resource* resource) const;

  // A clear waiting for the context, with the rectangles already limited to the viewport.
  struct HeldClear {
    Surface9* target;  // one reference held
    std::vector<D3DRECT> rects;
    DWORD flags;
    D3DCOLOR colour;
    float z;
    DWORD stencil;
  };
  std::vector<D3DRECT> RectsInViewport(DWORD count, const D3DRECT* rects) const;
  void RunHeldClears();
  void RunClear(const HeldClear& clear);
  DWORD FlagsThatChangeSomething(const HeldClear& clear);
  void DiscardHeldClears();
  void ReleaseKeptContext();

  void AttachTarget(Surface9& target, bool withDepth);
  bool IsWindow(const Surface9& target) const;
  TargetSize SizeOf(const Surface9& target) const;
  void BindTarget(Surface9& target, bool usesDepth);
  void MakeDepthBuffer();
  void PlaceBackBuffer();
  void MoveBackBufferOutOfWindow();
  void ClearRects(TargetSize target, const std::vector<D3DRECT>& rects, unsigned mask);
  void CopyBackBufferToWindow();
  void WaitForFrameBeforeLast();
  std::vector<DWORD> ReadWindow();
  HRESULT Draw(D3DPRIMITIVETYPE type, UINT primitiveCount, const std::vector<UINT>* indices, UINT firstVertex,
               UINT vertexCount);
  void PlaceStagesInPage(UINT vertexCount, bool* inPage);
  void Submit(D3DPRIMITIVETYPE type, UINT vertexCount, const std::vector<UINT>* indices);

  std::shared_ptr<DeviceCore> m_core;
  UINT m_adapter;
  HWND m_window;
  D3DPRESENT_PARAMETERS m_parameters{};
  DeviceStates m_states;
  Texture9* m_textures[kStageCount]{};
  VertexBuffer9* m_stream = nullptr;
  UINT m_streamOffset = 0;
  UINT m_streamStride = 0;
  IndexBuffer9* m_indices = nullptr;
  Surface9* m_backBuffer = nullptr;
  Surface9* m_renderTarget = nullptr;
  bool m_inScene = false;
  std::vector<HeldClear> m_heldClears;
  Loss m_loss = Loss::None;
  bool m_provokedLoss = false;

  // Whether the back buffer is the window's framebuffer (see WindowFramebuffer), and whether this
  // frame drew into it with depth, which the window lacks.
  WindowFramebuffer m_windowFramebuffer;
  bool m_backBufferInWindow = false;
  bool m_frameUsedDepth = false;
  // What the whole depth buffer is known to hold since a clear, if anything.
  std::optional<float> m_knownDepth;
  std::optional<DWORD> m_knownStencil;

  // OpenGL objects of this device's context.
  unsigned m_framebuffer = 0;
  unsigned m_depthFramebuffer = 0;  // our depth buffer alone, cleared so beside the window
  unsigned m_depthBuffer = 0;
  unsigned m_depthAttachment = 0;
  UINT m_depthWidth = 0;
  UINT m_depthHeight = 0;
  unsigned m_whiteTexture = 0;
  std::deque<void*> m_frameFences;  // OpenGL syncs of the frames presented last, oldest first
  int m_swapInterval = -1;
  float m_centreShift = PixelCentreShift(0);
  unsigned m_attachedTexture = 0;
  UINT m_attachedLevel = 0;
  bool m_attachedDepth = false;
  ProcessedVertices m_vertices;
  // The fixed states of the last draw, as OpenGL has them (see ApplyDrawState).
  struct FixedStates {
    std::array<DWORD, kRenderStateLimit> render;
    DWORD stage[kDrawnStages][kStageStateLimit];
    D3DVIEWPORT9 viewport;
    bool pretransformed;
    TargetSize target;
  };
  FixedStates m_lastFixedStates{};
  // Set when the device changed OpenGL states behind the record of the last draw.
  bool m_fixedStatesDisturbed = false;
  bool FixedStatesUnchanged(bool pretransformed, TargetSize target);
};

}  // namespace D3D9
}  // namespace Platform
