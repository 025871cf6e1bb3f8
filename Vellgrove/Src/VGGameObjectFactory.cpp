#include "VGGameObjectFactory.h"

#include "SXMLDeserializator.h"
#include "VGPYFactory.h"
#include "srethrow.h"

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGGameObjectFactory";

}  // namespace

void VGGameObjectFactory::LoadGameObjects(const std::wstring& listPath) {
  KORVEX_TRY
    VGPYFactory::InitNameTable();
    SCore::SXMLDeserializator reader(listPath);
    reader.DoBeginChild("world");
    std::wstring directory;
    reader.DoDeserialize("directory", directory);
    const unsigned int count = reader.DoGetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
      std::wstring file;
      reader.DoBeginChild(i);
      reader.DoDeserialize("file", file);
      reader.DoEndChild();
      VGPYFactory::AddGameObjectInfo(directory + L"\\" + file);
    }
    reader.DoEndChild();
  KORVEX_RETHROW("VGGameObjectFactory::LoadGameObjects()", kSource)
}

}  // namespace Vellgrove
