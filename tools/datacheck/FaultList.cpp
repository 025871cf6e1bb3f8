#include "FaultList.h"

namespace DataCheck {

void FaultList::Add(const Location& where, const std::string& what) {
  m_lines.push_back(where.file + ":" + std::to_string(where.line) + ": " + what);
}

void FaultList::Print(std::ostream& out) const {
  for (const std::string& line : m_lines) out << line << '\n';
}

}  // namespace DataCheck
