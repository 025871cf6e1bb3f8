#pragma once

#include "CheckSession.h"

namespace DataCheck {

// The files of the screens around the levels, at the fixed paths the game reads them from: the
// world maps, the intro and the tutorials of the map and the score screen.
class ScreenFiles {
 public:
  explicit ScreenFiles(CheckSession& session) : m_session(session) {}

  void Check();

 private:
  void CheckScreenFile(const std::string& written, const std::string& rootElement);

  CheckSession& m_session;
};

}  // namespace DataCheck
