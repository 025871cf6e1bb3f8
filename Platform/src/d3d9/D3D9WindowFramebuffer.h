// The window's own framebuffer. The back buffer is drawn straight into it when the two agree in
// size and colour format and the swap effect lets the back buffer go at Present: drawing then needs
// no copy at Present, which would wait for the whole frame to be rasterised. The window has no
// depth buffer (a software rasteriser fills a framebuffer without one far faster); the device
// keeps its own, and a frame that draws with depth moves the back buffer out of the window.
#pragma once

#include <SDL2/SDL.h>

#include "Platform/D3D9.h"

namespace Platform {
namespace D3D9 {

class WindowFramebuffer {
 public:
  // With the device's context current on the window: reads the framebuffer's pixel format.
  void ReadFormat();
  bool CanHoldBackBuffer(const D3DPRESENT_PARAMETERS& parameters, SDL_Window* window) const;

 private:
  int m_redBits = 0;
  int m_greenBits = 0;
  int m_blueBits = 0;
  int m_alphaBits = 0;
};

// The size of the window's framebuffer in pixels, which need not follow the window's size (an
// offscreen surface keeps the size it was made with).
void WindowFramebufferSize(SDL_Window* window, int* width, int* height);

}  // namespace D3D9
}  // namespace Platform
