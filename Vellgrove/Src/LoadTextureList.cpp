#include "LoadTextureList.h"

#include "SFileHelpers.h"
#include "STexture.h"
#include "STextureManager.h"
#include "SXMLDeserializator.h"
#include "srethrow.h"

#include "Platform/NativePath.h"

#include <vector>

namespace Vellgrove {

void LoadTextureList(const boost::shared_ptr<SCore::SViewport>& viewport, const std::wstring& listPath) {
  KORVEX_TRY
    SCore::SXMLDeserializator reader(listPath);
    reader.DoBeginChild("Textures");
    const boost::shared_ptr<SCore::STextureManager> textures = viewport->GetTextureManager();
    for (unsigned int i = 0; i < reader.DoGetChildCount(); ++i) {
      reader.DoBeginChild(i);
      std::string name;
      std::string path;
      reader.DoDeserialize("Name", name);
      reader.DoDeserialize("Path", path);
      reader.DoEndChild();
      if (textures->ContainsTexture(name)) continue;
      const std::vector<char> bytes = ReadFileToBytes(Platform::WidenBytes(path));
      const boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture(name);
      texture->LoadFromMemory(viewport->GetRenderDevice(), bytes.data(), static_cast<UINT>(bytes.size()), 1);
      textures->AddTexture(texture);
    }
    reader.DoEndChild();
  KORVEX_RETHROW("LoadTextureList()", "..\\Src\\LoadTextureList")
}

}  // namespace Vellgrove
