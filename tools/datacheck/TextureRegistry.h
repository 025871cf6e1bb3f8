#pragma once

#include "FaultList.h"

#include <set>
#include <string>

namespace DataCheck {

// The names of the texture list. Until the list has been read nothing is asked of it, so that a
// list that fails to read is one fault rather than one for every name.
class TextureRegistry {
 public:
  void Fill(std::set<std::string> names, std::string listPath);
  void Require(FaultList& faults, const Location& where, const std::string& name) const;

 private:
  bool m_filled = false;
  std::set<std::string> m_names;
  std::string m_listPath;
};

}  // namespace DataCheck
