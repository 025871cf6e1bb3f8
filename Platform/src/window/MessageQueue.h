// The main thread's message queue. Posted and input messages wait in one line, in order; mouse
// moves merge into one waiting message; quit and paint requests wait beside the line.
#pragma once

#include "Platform/Win32Messages.h"

#include <deque>
#include <mutex>
#include <optional>
#include <set>

namespace Platform {

struct QueuedMessage {
  MSG message;
  // For key and button messages, the specific key whose state changes when the message is taken.
  BYTE stateKey;
};

class MessageQueue {
 public:
  static MessageQueue& Instance();

  void Post(const QueuedMessage& queued);
  void PostMouseMove(HWND window, WPARAM buttons, LPARAM position);
  void RequestPaint(HWND window);
  void ValidatePaint(HWND window);
  void RequestQuit(int exitCode);
  // Answers the next message, removing it when remove is set.
  bool Take(MSG& out, bool remove);
  // Forgets everything waiting: a clean queue for the next test.
  void Clear();

 private:
  bool TakeFromLine(MSG& out, bool remove);

  std::recursive_mutex m_mutex;
  std::deque<QueuedMessage> m_line;
  std::optional<int> m_quitCode;
  std::set<HWND> m_paintRequests;
};

}  // namespace Platform
