#pragma once

#include <string>
#include <unordered_map>

namespace Vellgrove {

// The localised texts by key. Filled once before any other thread exists, read-only afterwards,
// so lookups take no lock.
class VGTextManager {
 public:
  VGTextManager() = default;
  virtual ~VGTextManager() = default;

  // Adds every "key"/"value" child of the root "strings" of a TinyXML strings file; values are
  // widened through g_Locale and a later key replaces an earlier one.
  void Load(const std::wstring& path);
  // Raises SEngineException "key:" key " not found".
  std::wstring GetText(const std::string& key) const;

 private:
  std::unordered_map<std::string, std::wstring> m_texts;
};

extern VGTextManager g_TextManager;

// The text of the key in g_TextManager.
std::wstring GetText(const std::string& key);

}  // namespace Vellgrove
