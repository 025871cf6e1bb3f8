#include "D3D9DeviceCore.h"

#include "Platform/Win32Window.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

namespace Platform {
namespace D3D9 {

std::shared_ptr<DeviceCore> DeviceCore::Create(SDL_Window* window) {
  if (window == nullptr) return nullptr;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (context == nullptr) return nullptr;
  std::shared_ptr<DeviceCore> core(new DeviceCore(window, context));
  // Creation left the context current here; hand it back like any other section would.
  SDL_GL_MakeCurrent(window, nullptr);
  return core;
}

DeviceCore::DeviceCore(SDL_Window* window, SDL_GLContext context) : m_window(window), m_context(context) {}

DeviceCore::~DeviceCore() {
  {
    GLSection section(*this);
    if (section.IsReady()) {
      DeletePending();
      m_page.DeleteTexture();
    }
  }
  SDL_GL_DeleteContext(m_context);
}

void DeviceCore::DeleteTextureLater(unsigned texture) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  if (texture != 0) m_pendingTextures.push_back(texture);
}

bool DeviceCore::Enter(const void* user) {
  if (m_depth++ > 0) return m_madeCurrent;
  m_lastUser = user;
  // Resources may outlive the window; without it the context cannot be made current any more,
  // and what it holds goes with it.
  if (!IsSdlWindowAlive(m_window)) {
    m_madeCurrent = false;
  } else if (SDL_GL_GetCurrentContext() != m_context) {
    m_madeCurrent = SDL_GL_MakeCurrent(m_window, m_context) == 0;
  } else {
    m_madeCurrent = true;
  }
  if (m_madeCurrent) DeletePending();
  return m_madeCurrent;
}

void DeviceCore::Leave() {
  if (--m_depth > 0) return;
  const bool keep = m_keepingThread == std::this_thread::get_id();
  if (m_madeCurrent && !keep && IsSdlWindowAlive(m_window)) SDL_GL_MakeCurrent(m_window, nullptr);
  m_madeCurrent = false;
}

void DeviceCore::DeletePending() {
  if (!m_pendingTextures.empty()) {
    glDeleteTextures(static_cast<GLsizei>(m_pendingTextures.size()), m_pendingTextures.data());
    m_pendingTextures.clear();
  }
}

GLSection::GLSection(DeviceCore& core, const void* user)
    : m_lock(core.Mutex()), m_core(core), m_ready(core.Enter(user)) {}

GLSection::~GLSection() { m_core.Leave(); }

}  // namespace D3D9
}  // namespace Platform
