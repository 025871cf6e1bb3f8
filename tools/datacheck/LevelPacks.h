#pragma once

#include "CheckSession.h"

#include <string>

namespace DataCheck {

// Both level packs, every level they list with its tutorial, and the comics pack whose entries
// follow the main pack's levels.
class LevelPacks {
 public:
  explicit LevelPacks(CheckSession& session) : m_session(session) {}

  void Check();

 private:
  void CheckPack(const std::string& packPath, bool isMain);
  void CheckLevel(const Location& referrer, const std::string& written, const std::string& packName);
  void CheckTools(DataFile& level);
  void CheckPlacedObjects(DataFile& level);
  void CheckComicsPack();
  void CheckComics(const Location& referrer, const std::string& written);

  CheckSession& m_session;
};

}  // namespace DataCheck
