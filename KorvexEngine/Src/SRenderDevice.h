#pragma once

#include "IEvent.h"
#include "SFog.h"
#include "SMaterial.h"
#include "SMatrix.h"
#include "STextureFiltration.h"

#include "Platform/D3D9.h"

#include <boost/shared_ptr.hpp>

#include <deque>

namespace SCore {

class SVertexBuffer;
class SIndexBuffer;
class STexture;

// What the engine draws through. States, formats, primitive types and colours are Direct3D 9's own
// numbers. Before Create the device has no platform objects and must not be used.
class SRenderDevice {
 public:
  SRenderDevice();
  virtual ~SRenderDevice();
  SRenderDevice(const SRenderDevice&) = delete;
  SRenderDevice& operator=(const SRenderDevice&) = delete;

  // colorDepth 16 or 32, or 0 in a window for the display's depth; fullScreen non-zero for full screen.
  virtual void Create(HWND window, UINT width, UINT height, int colorDepth, int fullScreen) = 0;
  virtual void DoClearScene(BYTE red, BYTE green, BYTE blue) = 0;
  virtual void DoBeginScene() = 0;
  // Also presents the frame.
  virtual void EndScene() = 0;
  virtual void DoSetTransform(D3DTRANSFORMSTATETYPE state, const SMatrix* matrix) = 0;
  virtual void DoPushTransform(D3DTRANSFORMSTATETYPE state) = 0;
  virtual void DoPopTransform(D3DTRANSFORMSTATETYPE state) = 0;
  virtual SMatrix* DoGetTransform(SMatrix* matrix, D3DTRANSFORMSTATETYPE state) = 0;
  virtual void DoRender(const boost::shared_ptr<SVertexBuffer>& vertices, const boost::shared_ptr<SIndexBuffer>& indices,
                        UINT startIndex) = 0;
  virtual void DoRender(const boost::shared_ptr<SVertexBuffer>& vertices, UINT startVertex) = 0;
  virtual void DoBindVertexBuffer(const boost::shared_ptr<SVertexBuffer>& vertices) = 0;
  virtual void DoBindIndexBuffer(const boost::shared_ptr<SIndexBuffer>& indices) = 0;
  virtual void DoClearScene(float depth) = 0;
  // Enters the device's lock and answers the native device; every Lock is paired with one Unlock
  // on the same thread.
  virtual IDirect3DDevice9* Lock() = 0;
  virtual void DoSetmaterial(const SMaterial& material) = 0;
  virtual void DoSetTexture(DWORD stage, STexture* texture) = 0;
  virtual void DoSetTextureFiltration(DWORD stage, const STextureFiltration& filtration) = 0;
  virtual void DoSetFog(const SFog& fog) = 0;
  virtual UINT GetWidth() = 0;
  virtual UINT GetHeight() = 0;
  // Null sets the back buffer again.
  virtual void DoSetRenderTarget(STexture* texture) = 0;
  // Applies ViewRect.
  virtual void DoSetView() = 0;
  virtual void SetFullScreen(bool fullScreen) = 0;
  virtual void Unlock() = 0;

  // Applies the material, then makes it the current one; the current material keeps its own
  // stage-0 operations.
  void SetMaterial(const SMaterial& material) {
    DoSetmaterial(material);
    CopyMaterial(material, CurrentMaterial);
  }

  SMaterial CurrentMaterial;
  SFog Fog;
  D3DVIEWPORT9 ViewRect{0, 0, 0, 0, 0.0f, 1.0f};
  boost::shared_ptr<IEvent> LostHandler;
  boost::shared_ptr<IEvent> ResetHandler;

 protected:
  std::deque<SMatrix> m_transformStack;
  bool m_isLost = false;
};

}  // namespace SCore
