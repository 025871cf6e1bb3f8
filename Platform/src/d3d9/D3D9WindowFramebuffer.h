// The window's own framebuffer. The back buffer is drawn straight into it when the two agree in
// size and format and the swap effect lets the back buffer go at Present: drawing then needs no
// copy at Present, which would wait for the whole frame to be rasterised.
#pragma once

#include <SDL2/SDL.h>

#include "Platform/D3D9.h"

namespace Platform {
namespace D3D9 {

class WindowFramebuffer {
 public:
  // With the device's context current on the window: reads the framebuffer's pixel format.
  void ReadFormat();
  // Whether it can serve as the back buffer with its automatic depth buffer.
  bool CanHoldBackBuffer(const D3DPRESENT_PARAMETERS& parameters, SDL_Window* window) const;
  // The storage of a depth buffer whose contents copy to and from the window's.
  unsigned DepthStorage() const;
  bool HasStencil() const { return m_stencilBits > 0; }

 private:
  int m_redBits = 0;
  int m_greenBits = 0;
  int m_blueBits = 0;
  int m_alphaBits = 0;
  int m_depthBits = 0;
  int m_stencilBits = 0;
};

// The size of the window's framebuffer in pixels, which need not follow the window's size (an
// offscreen surface keeps the size it was made with).
void WindowFramebufferSize(SDL_Window* window, int* width, int* height);

}  // namespace D3D9
}  // namespace Platform
