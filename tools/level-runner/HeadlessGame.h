#pragma once

#include "SRenderDevice.h"
#include "SViewport.h"

#include "Platform/Win32Window.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace LevelRunner {

// What the game sets up before it plays a level, without its screens: a hidden window with a
// 1024 by 768 device, the texture list, the interpreter with the game's module, the object list and
// the configuration (fonts and scroll constants) and the level packs. Run from the game's working directory.
class HeadlessGame {
 public:
  HeadlessGame();
  ~HeadlessGame();
  HeadlessGame(const HeadlessGame&) = delete;
  HeadlessGame& operator=(const HeadlessGame&) = delete;

  const boost::shared_ptr<SCore::SViewport>& GetViewport() const { return m_viewport; }

  // One frame drawn by the action between the scene's begin and end.
  template <typename Draw>
  void Frame(Draw draw) {
    m_device->DoClearScene(0, 0, 0);
    m_device->DoBeginScene();
    draw();
    m_device->EndScene();
  }

 private:
  void ReadLevelPacks();

  HWND m_window = nullptr;
  boost::shared_ptr<SCore::SViewport> m_viewport;
  boost::shared_ptr<SCore::SRenderDevice> m_device;
};

}  // namespace LevelRunner
