#include "D3D9WindowFramebuffer.h"

#include <EGL/egl.h>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

namespace Platform {
namespace D3D9 {
void WindowFramebuffer::ReadFormat() {
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  const struct {
    GLenum name;
    int* bits;
  } kQueries[] = {{GL_RED_BITS, &m_redBits},
                  {GL_GREEN_BITS, &m_greenBits},
                  {GL_BLUE_BITS, &m_blueBits},
                  {GL_ALPHA_BITS, &m_alphaBits}};
  for (const auto& query : kQueries) glGetIntegerv(query.name, query.bits);
}

bool WindowFramebuffer::CanHoldBackBuffer(const D3DPRESENT_PARAMETERS& parameters, SDL_Window* window) const {
  // A copying swap keeps the back buffer after Present; the window's is gone once swapped.
  if (parameters.SwapEffect == D3DSWAPEFFECT_COPY) return false;
  // Only 32-bit colour without alpha matches the window's pixels exactly.
  const bool colourMatches = parameters.BackBufferFormat == D3DFMT_X8R8G8B8 && m_redBits == 8 &&
                             m_greenBits == 8 && m_blueBits == 8 && m_alphaBits == 0;
  int width = 0;
  int height = 0;
  WindowFramebufferSize(window, &width, &height);
  const bool sizeMatches = UINT(width) == parameters.BackBufferWidth && UINT(height) == parameters.BackBufferHeight;
  return colourMatches && sizeMatches;
}

void WindowFramebufferSize(SDL_Window* window, int* width, int* height) {
  // Under EGL the surface itself knows; elsewhere (GLX) the drawable follows the window.
  const EGLDisplay display = eglGetCurrentDisplay();
  const EGLSurface surface = eglGetCurrentSurface(EGL_DRAW);
  EGLint surfaceWidth = 0;
  EGLint surfaceHeight = 0;
  if (display != EGL_NO_DISPLAY && surface != EGL_NO_SURFACE &&
      eglQuerySurface(display, surface, EGL_WIDTH, &surfaceWidth) == EGL_TRUE &&
      eglQuerySurface(display, surface, EGL_HEIGHT, &surfaceHeight) == EGL_TRUE) {
    *width = surfaceWidth;
    *height = surfaceHeight;
    return;
  }
  SDL_GL_GetDrawableSize(window, width, height);
}

}  // namespace D3D9
}  // namespace Platform
