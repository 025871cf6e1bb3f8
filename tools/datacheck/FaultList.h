#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace DataCheck {

// Where a fault shows: a file as the user can open it, and its line (0 when no line can be told).
struct Location {
  std::string file;
  int line = 0;
};

// The faults found, in the order they were found.
class FaultList {
 public:
  void Add(const Location& where, const std::string& what);
  bool Empty() const { return m_lines.empty(); }
  // One line a fault: "file:line: what".
  void Print(std::ostream& out) const;

 private:
  std::vector<std::string> m_lines;
};

}  // namespace DataCheck
