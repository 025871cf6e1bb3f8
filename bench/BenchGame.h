// The whole game made on its own data set for a benchmark: a documents folder of its own, so that no
// player's file is read or written, and the main loop's turn of handling queued input and updating.
#pragma once

#include "VGGameModes.h"
#include "VellgroveGame.h"

#include "Platform/Win32Messages.h"

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

namespace Bench {

class ScratchDocuments {
 public:
  ScratchDocuments() {
    char pattern[] = "/tmp/vellgrove-bench-XXXXXX";
    m_folder = mkdtemp(pattern) ? pattern : "";
    setenv("XDG_DOCUMENTS_DIR", m_folder.c_str(), 1);
  }
  ~ScratchDocuments() {
    std::error_code ignored;
    if (!m_folder.empty()) std::filesystem::remove_all(m_folder, ignored);
  }
  ScratchDocuments(const ScratchDocuments&) = delete;
  ScratchDocuments& operator=(const ScratchDocuments&) = delete;
  bool Made() const { return !m_folder.empty(); }

 private:
  std::string m_folder;
};

inline void HandleQueuedInput() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Updates on the real clock until the game shows the mode (a change waits for the fade to black).
inline bool WaitForMode(Vellgrove::VellgroveGame& game, int mode) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (game.GetGameMode()->GetCurrent() != mode && std::chrono::steady_clock::now() < deadline) {
    HandleQueuedInput();
    game.Update();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return game.GetGameMode()->GetCurrent() == mode;
}

inline void Quit(Vellgrove::VellgroveGame& game) {
  game.GetGameMode()->ChangeMode(Vellgrove::VGGM_QUIT);
  WaitForMode(game, Vellgrove::VGGM_QUIT);
}

}  // namespace Bench
