#include "LineFinder.h"

#include <algorithm>

namespace DataCheck {

LineFinder::LineFinder(std::string text) : m_text(std::move(text)) {}

int LineFinder::NextLineOf(const std::string& needle) {
  std::size_t& from = m_searchFrom[needle];
  const std::size_t found = m_text.find(needle, from);
  if (found == std::string::npos) return 0;
  from = found + needle.size();
  return LineAt(found);
}

int LineFinder::NextLineOfAttribute(const std::string& attribute, const std::string& value) {
  return NextLineOf(" " + attribute + "=\"" + value + "\"");
}

int LineFinder::LineAt(std::size_t offset) const {
  const auto end = m_text.begin() + static_cast<std::ptrdiff_t>(std::min(offset, m_text.size()));
  return 1 + static_cast<int>(std::count(m_text.begin(), end, '\n'));
}

}  // namespace DataCheck
