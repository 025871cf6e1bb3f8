#include "VGHighScore.h"

#include "SDeserializator.h"
#include "SSerializator.h"

#include <algorithm>

namespace Vellgrove {

void VGHighScore::SetScore(const std::wstring& name, const std::string& level, unsigned int score) {
  const auto found = Find(name);
  if (found == m_entries.end()) {
    m_entries.push_back(VGHighScoreEntry{name, level, score});
  } else {
    found->m_level = level;
    found->m_bestScore = score;
  }
  std::vector<VGHighScoreEntry> sorted(m_entries.begin(), m_entries.end());
  std::sort(sorted.begin(), sorted.end(),
            [](const VGHighScoreEntry& a, const VGHighScoreEntry& b) { return a.m_bestScore > b.m_bestScore; });
  m_entries.assign(sorted.begin(), sorted.end());
}

std::list<VGHighScoreEntry>::iterator VGHighScore::Find(const std::wstring& name) {
  return std::find_if(m_entries.begin(), m_entries.end(),
                      [&](const VGHighScoreEntry& entry) { return entry.m_name == name; });
}

void VGHighScore::Read(SCore::SDeserializator& reader) {
  std::list<VGHighScoreEntry> entries;
  reader.DoBeginChild("HighScore");
  for (unsigned int i = 0; i < reader.DoGetChildCount(); ++i) {
    reader.DoBeginChild(i);
    VGHighScoreEntry entry;
    reader.DoDeserialize("Name", entry.m_name);
    reader.DoDeserialize("Level", entry.m_level);
    reader.DoDeserialize("BestScore", entry.m_bestScore);
    entries.push_back(entry);
    reader.DoEndChild();
  }
  reader.DoEndChild();
  m_entries.swap(entries);
}

void VGHighScore::Write(SCore::SSerializator& writer) const {
  writer.DoBeginChild("HighScore");
  for (const VGHighScoreEntry& entry : m_entries) {
    writer.DoBeginChild("Score");
    writer.DoSerialize("Name", entry.m_name);
    writer.DoSerialize("Level", entry.m_level);
    writer.DoSerialize("BestScore", entry.m_bestScore);
    writer.DoEndChild();
  }
  writer.DoEndChild();
}

std::vector<VGHighScoreEntry> VGHighScore::Rows(size_t count) const {
  std::vector<VGHighScoreEntry> rows;
  for (const VGHighScoreEntry& entry : m_entries) {
    if (rows.size() == count) break;
    rows.push_back(entry);
  }
  return rows;
}

}  // namespace Vellgrove
