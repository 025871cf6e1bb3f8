#pragma once

#include "CheckSession.h"

namespace DataCheck {

// The files the game reads before its first screen: the configuration and what it names (the
// texture list and its pictures, the glyph table, the strings, the trophies), and the game-object
// list with its object files. They register the names the other files refer to.
class StartUpFiles {
 public:
  explicit StartUpFiles(CheckSession& session) : m_session(session) {}

  // False when the configuration cannot be read: nothing else can be found without it.
  bool Check();

 private:
  bool CheckConfiguration(DataFile& configuration);
  void CheckTextureList(DataFile& configuration, const std::string& listPath);
  void CheckFont(DataFile& configuration);
  void CheckStrings(DataFile& configuration);
  void CheckTrophies(DataFile& configuration);
  void CheckGameObjects();
  void CheckGameObjectFile(const Location& referrer, const std::string& written);

  CheckSession& m_session;
};

}  // namespace DataCheck
