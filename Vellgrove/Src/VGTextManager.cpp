#include "VGTextManager.h"

#include "CreateTinyXMLDeserializator.h"
#include "SEngineException.h"
#include "srethrow.h"

namespace Vellgrove {

namespace {
const char* const kSourcePath = "..\\Src\\VGTextManager";
}

VGTextManager g_TextManager;

void VGTextManager::Load(const std::wstring& path) {
  KORVEX_TRY
    const boost::shared_ptr<SCore::STinyXMLDeserializator> reader = CreateTinyXMLDeserializator(path);
    reader->DoBeginChild("strings");
    // A file that fails part-way adds nothing.
    std::unordered_map<std::string, std::wstring> read;
    const unsigned int count = reader->DoGetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
      reader->DoBeginChild(i);
      std::string key;
      std::wstring value;
      reader->DoDeserialize("key", key);
      reader->DoDeserialize("value", value);
      read[key] = value;
      reader->DoEndChild();
    }
    reader->DoEndChild();
    for (const auto& entry : read) m_texts[entry.first] = entry.second;
  KORVEX_RETHROW("VGTextManager::Load()", kSourcePath)
}

std::wstring VGTextManager::GetText(const std::string& key) const {
  KORVEX_TRY
    const auto found = m_texts.find(key);
    if (found == m_texts.end()) throw KorvexEngine::SEngineException(("key:" + key + " not found").c_str());
    return found->second;
  KORVEX_RETHROW("VGTextManager::GetText()", kSourcePath)
}

std::wstring GetText(const std::string& key) { return g_TextManager.GetText(key); }

}  // namespace Vellgrove
