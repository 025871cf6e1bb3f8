#include "CreateTinyXMLDeserializator.h"

#include "GameGlobals.h"
#include "srethrow.h"

namespace Vellgrove {

namespace {
const char* const kSourcePath = "..\\Src\\CreateTinyXMLDeserializator";
}

boost::shared_ptr<SCore::STinyXMLDeserializator> CreateTinyXMLDeserializator(const std::wstring& path) {
  KORVEX_TRY
    return boost::shared_ptr<SCore::STinyXMLDeserializator>(new SCore::STinyXMLDeserializator(path, g_Locale));
  KORVEX_RETHROW("CreateTinyXMLDeserializator(const std::wstring&)", kSourcePath)
}

boost::shared_ptr<SCore::STinyXMLDeserializator> CreateTinyXMLDeserializator() {
  KORVEX_TRY
    return boost::shared_ptr<SCore::STinyXMLDeserializator>(new SCore::STinyXMLDeserializator(g_Locale));
  KORVEX_RETHROW("CreateTinyXMLDeserializator()", kSourcePath)
}

}  // namespace Vellgrove
