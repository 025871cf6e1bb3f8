#pragma once

#include "CheckSession.h"
#include "CodeNameScan.h"

namespace DataCheck {

// The names the game's code asks for: its textures are listed, its sounds are in its sound table,
// its music files and the files of that table exist, its text keys are in the strings file.
class CodeNames {
 public:
  explicit CodeNames(CheckSession& session) : m_session(session) {}

  // Raises std::runtime_error when the source folder holds no game source.
  void Check();

 private:
  void CheckName(const CodeName& name);
  void CheckSound(const Location& where, const std::string& name);
  void CheckText(const Location& where, const std::string& key);
  void CheckSoundTableFiles();

  CheckSession& m_session;
};

}  // namespace DataCheck
