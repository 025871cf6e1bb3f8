#pragma once

#include "VGHighScoreEntry.h"

#include <list>
#include <string>
#include <vector>

namespace SCore {
class SDeserializator;
class SSerializator;
}  // namespace SCore

namespace Vellgrove {

// The best results, one entry per player name, highest score first after every update. Unguarded:
// the profile manager's lock covers it.
class VGHighScore {
 public:
  VGHighScore() = default;
  virtual ~VGHighScore() = default;

  // Adds the player or overwrites the player's entry (a lower score too), then sorts.
  void SetScore(const std::wstring& name, const std::string& level, unsigned int score);
  std::list<VGHighScoreEntry>::iterator Find(const std::wstring& name);
  void Clear() { m_entries.clear(); }

  // From the element that holds "HighScore": the entries in file order, unsorted.
  void Read(SCore::SDeserializator& reader);
  void Write(SCore::SSerializator& writer) const;

  // The first rows in table order, copied.
  std::vector<VGHighScoreEntry> Rows(size_t count) const;
  const std::list<VGHighScoreEntry>& Entries() const { return m_entries; }

 private:
  std::list<VGHighScoreEntry> m_entries;
};

}  // namespace Vellgrove
