#include "STextureManager.h"

#include "srethrow.h"

#include <map>

namespace SCore {

namespace {

const char* const kSourcePath = ".\\Src\\STextureManager";
const char* const kDefaultGroup = "default";

}  // namespace

STextureManager::STextureManager() { AddTextureGroup(kDefaultGroup); }

STextureManager::~STextureManager() {
  m_groups.clear();
  m_textures.clear();
}

boost::shared_ptr<STexture> STextureManager::DoGetTexture(const std::string& name) {
  KORVEX_TRY
    if (!ContainsTexture(name)) throw KorvexCoreException(("can't find texture:" + name).c_str());
    return m_textures.find(name)->second.texture;
  KORVEX_RETHROW("STextureManager::DoGetTexture()", kSourcePath)
}

void STextureManager::AddTexture(const boost::shared_ptr<STexture>& texture) {
  KORVEX_TRY
    const std::string name = texture->GetName();
    if (ContainsTexture(name)) {
      throw KorvexCoreException(
          ("can't add texture, because texture with such name is exist:[" + name + "]").c_str());
    }
    m_textures.emplace(name, TextureEntry{texture, kDefaultGroup});
  KORVEX_RETHROW("STextureManager::AddTexture()", kSourcePath)
}

bool STextureManager::ContainsTexture(const std::string& name) {
  KORVEX_TRY
    return m_textures.count(name) != 0;
  KORVEX_RETHROW("STextureManager::ContainsTexture()", kSourcePath)
}

std::vector<boost::shared_ptr<STexture>> STextureManager::GetTextures() const {
  std::map<std::string, boost::shared_ptr<STexture>> byName;
  for (const auto& entry : m_textures) byName.emplace(entry.first, entry.second.texture);
  std::vector<boost::shared_ptr<STexture>> textures;
  for (const auto& entry : byName) textures.push_back(entry.second);
  return textures;
}

void STextureManager::AddTextureGroup(const std::string& name) {
  KORVEX_TRY
    CheckTextureGroupAbsent(name);
    m_groups.emplace(name, TextureGroupEntry{});
  KORVEX_RETHROW("STextureManager::AddTextureGroup()", kSourcePath)
}

bool STextureManager::ContainsTextureGroup(const std::string& name) {
  KORVEX_TRY
    return m_groups.count(name) != 0;
  KORVEX_RETHROW("STextureManager::ContainsTextureGroup()", kSourcePath)
}

void STextureManager::CheckTextureGroupAbsent(const std::string& name) {
  KORVEX_TRY
    if (ContainsTextureGroup(name)) {
      throw KorvexCoreException(
          ("can't add texture group, because texture group with such name is exist:[" + name + "]").c_str());
    }
  KORVEX_RETHROW("STextureManager::CheckTextureGroupAbsent()", kSourcePath)
}

}  // namespace SCore
