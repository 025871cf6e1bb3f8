#include "TextureRegistry.h"

namespace DataCheck {

void TextureRegistry::Fill(std::set<std::string> names, std::string listPath) {
  m_names = std::move(names);
  m_listPath = std::move(listPath);
  m_filled = true;
}

void TextureRegistry::Require(FaultList& faults, const Location& where, const std::string& name) const {
  if (!m_filled || m_names.count(name) != 0) return;
  faults.Add(where, "texture \"" + name + "\" is not in the texture list " + m_listPath);
}

}  // namespace DataCheck
