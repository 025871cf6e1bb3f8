#pragma once

#include "STexture.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <unordered_map>
#include <vector>

namespace SCore {

// The registry of loaded textures by name, with the table of texture groups ("default" always
// exists). It has no lock: textures are added on the loader thread during start-up and looked up
// later, and the callers keep additions and lookups apart.
class STextureManager {
 public:
  STextureManager();
  virtual ~STextureManager();
  STextureManager(const STextureManager&) = delete;
  STextureManager& operator=(const STextureManager&) = delete;

  virtual boost::shared_ptr<STexture> DoGetTexture(const std::string& name);
  boost::shared_ptr<STexture> GetTexture(const std::string& name) { return DoGetTexture(name); }

  // Registers the texture under its own name, as a member of the group "default".
  void AddTexture(const boost::shared_ptr<STexture>& texture);
  bool ContainsTexture(const std::string& name);
  // Every registered texture, in the byte order of their names.
  std::vector<boost::shared_ptr<STexture>> GetTextures() const;
  void AddTextureGroup(const std::string& name);
  bool ContainsTextureGroup(const std::string& name);

 private:
  struct TextureEntry {
    boost::shared_ptr<STexture> texture;
    std::string group;
  };
  // Groups carry no data yet; the entry only records that the group exists.
  struct TextureGroupEntry {};

  void CheckTextureGroupAbsent(const std::string& name);

  std::unordered_map<std::string, TextureEntry> m_textures;
  std::unordered_map<std::string, TextureGroupEntry> m_groups;
};

}  // namespace SCore
