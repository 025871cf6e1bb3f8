#include "Platform/D3D9TestHooks.h"

#include "D3D9Device.h"
#include "D3D9Surface.h"
#include "D3D9Texture.h"

namespace Platform {
namespace Testing {

std::vector<DWORD> ReadRenderTarget(IDirect3DSurface9* surface) {
  auto* ours = dynamic_cast<D3D9::Surface9*>(surface);
  if (ours == nullptr || !ours->IsRenderTarget()) return {};
  std::lock_guard<std::recursive_mutex> lock(ours->Core()->Mutex());
  if (D3D9::TargetReader* reader = ours->Core()->Reader()) return reader->ReadTarget(*ours);
  D3D9::GLSection section(*ours->Core());
  if (!section.IsReady()) return {};
  return ours->ReadPixels();
}

bool BackBufferIsWindow(IDirect3DDevice9* device) {
  auto* ours = dynamic_cast<D3D9::Device9*>(device);
  return ours != nullptr && ours->BackBufferIsWindow();
}

bool TextureIsInPage(IDirect3DTexture9* texture) {
  auto* ours = dynamic_cast<D3D9::Texture9*>(texture);
  return ours != nullptr && ours->IsInPage();
}

void ProvokeDeviceLoss(IDirect3DDevice9* device) {
  if (auto* ours = dynamic_cast<D3D9::Device9*>(device)) ours->SetProvokedLoss(true);
}

void EndDeviceLoss(IDirect3DDevice9* device) {
  if (auto* ours = dynamic_cast<D3D9::Device9*>(device)) ours->SetProvokedLoss(false);
}

}  // namespace Testing
}  // namespace Platform
