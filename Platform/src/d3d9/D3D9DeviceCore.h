// What a device shares with the resources made on it: its lock, its OpenGL context and the OpenGL
// objects waiting to be deleted. Resources keep it alive, so a resource released after its
// device still frees its OpenGL objects in the right context.
#pragma once

#include <SDL2/SDL.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "D3D9TexturePage.h"
#include "Platform/Win32Types.h"

namespace Platform {
namespace D3D9 {

class Surface9;

// Reads a render target's pixels back, top row first, as A8R8G8B8 (for the test hooks); empty when
// the context cannot be had.
class TargetReader {
 public:
  virtual std::vector<DWORD> ReadTarget(Surface9& target) = 0;

 protected:
  ~TargetReader() = default;
};

class DeviceCore {
 public:
  // Null when SDL cannot make an OpenGL context for the window.
  static std::shared_ptr<DeviceCore> Create(SDL_Window* window);
  ~DeviceCore();
  DeviceCore(const DeviceCore&) = delete;
  DeviceCore& operator=(const DeviceCore&) = delete;

  std::recursive_mutex& Mutex() { return m_mutex; }
  SDL_Window* Window() const { return m_window; }

  // From BeginScene through Present the context stays current between calls on the thread that
  // began the scene: handing it back flushes what was drawn. Every other thread hands it back after
  // each outermost OpenGL section: a thread that kept it and then ended would leave it where no one
  // else can ever make it current again.
  void KeepCurrentOnThisThread() { m_keepingThread = std::this_thread::get_id(); }
  void StopKeepingCurrent() { m_keepingThread = std::thread::id(); }
  bool IsKeptByThisThread() const { return m_keepingThread == std::this_thread::get_id(); }

  // OpenGL objects are made and deleted only with the context current; objects dropped on a thread
  // without it wait here until the next OpenGL section.
  void DeleteTextureLater(unsigned texture);

  // Whether the last OpenGL section was made by this user with nothing in between, so that the
  // OpenGL state it left is still there.
  bool LastSectionWasBy(const void* user) const { return m_lastUser == user; }

  // The device knows where a target's pixels are; its resources may outlive it.
  void SetTargetReader(TargetReader* reader) { m_reader = reader; }
  TargetReader* Reader() const { return m_reader; }

  // Under the lock.
  TexturePage& Page() { return m_page; }

  // Resources of the default pool that are still alive; Reset refuses while there are any.
  std::atomic<int> defaultPoolResources{0};

 private:
  friend class GLSection;
  DeviceCore(SDL_Window* window, SDL_GLContext context);
  bool Enter(const void* user);
  void Leave();
  void DeletePending();

  std::recursive_mutex m_mutex;
  SDL_Window* m_window;
  SDL_GLContext m_context;
  int m_depth = 0;
  bool m_madeCurrent = false;
  std::thread::id m_keepingThread;
  const void* m_lastUser = nullptr;
  TargetReader* m_reader = nullptr;
  TexturePage m_page;
  std::vector<unsigned> m_pendingTextures;
};

// Holds the device lock with the device's context current on the calling thread.
class GLSection {
 public:
  // The user, when given, marks the section as its own (see DeviceCore::LastSectionWasBy).
  explicit GLSection(DeviceCore& core, const void* user = nullptr);
  ~GLSection();
  GLSection(const GLSection&) = delete;
  GLSection& operator=(const GLSection&) = delete;

  // False when the context could not be made current here (it is current on another thread).
  bool IsReady() const { return m_ready; }

 private:
  std::lock_guard<std::recursive_mutex> m_lock;
  DeviceCore& m_core;
  bool m_ready;
};

}  // namespace D3D9
}  // namespace Platform
