#include "Platform/D3D9TestHooks.h"

#include "D3D9Device.h"
#include "D3D9Surface.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

namespace Platform {
namespace Testing {

std::vector<DWORD> ReadRenderTarget(IDirect3DSurface9* surface) {
  auto* ours = dynamic_cast<D3D9::Surface9*>(surface);
  if (ours == nullptr || !ours->IsRenderTarget()) return {};
  D3D9::GLSection section(*ours->Core());
  if (!section.IsReady()) return {};
  const D3DSURFACE_DESC& desc = ours->Desc();
  std::vector<DWORD> pixels(size_t(desc.Width) * desc.Height);
  glBindTexture(GL_TEXTURE_2D, ours->PrepareForDrawing());
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glGetTexImage(GL_TEXTURE_2D, GLint(ours->Level()), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
  return pixels;
}

void ProvokeDeviceLoss(IDirect3DDevice9* device) {
  if (auto* ours = dynamic_cast<D3D9::Device9*>(device)) ours->SetProvokedLoss(true);
}

void EndDeviceLoss(IDirect3DDevice9* device) {
  if (auto* ours = dynamic_cast<D3D9::Device9*>(device)) ours->SetProvokedLoss(false);
}

}  // namespace Testing
}  // namespace Platform
