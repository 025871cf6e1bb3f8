#pragma once

#include <cstddef>
#include <map>
#include <string>

namespace DataCheck {

// Tells lines of a text by what stands on them. The readers keep no positions, so a fault found
// while walking a file's tree is placed by finding its text again.
class LineFinder {
 public:
  explicit LineFinder(std::string text);

  // The line of the next occurrence of the needle after the one found for it last, so that a
  // value used twice is placed twice; 0 when there is no further occurrence.
  int NextLineOf(const std::string& needle);
  // The line of the next ` attribute="value"`.
  int NextLineOfAttribute(const std::string& attribute, const std::string& value);
  // Lines count from 1.
  int LineAt(std::size_t offset) const;
  const std::string& Text() const { return m_text; }

 private:
  std::string m_text;
  std::map<std::string, std::size_t> m_searchFrom;
};

}  // namespace DataCheck
